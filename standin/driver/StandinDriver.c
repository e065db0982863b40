/* Stand-in for the RILO (serial) or MEKA (USB) touch driver: test equipment, loaded by Wine.
 * Built twice, with STANDIN_RILO or STANDIN_MEKA. It accepts the product's device files, control
 * codes and buffer sizes exactly, keeps each device's state, logs every request, and offers a
 * private test device (StandinProtocol.h) through which tests read all that and act as the
 * controller. Plain C without a runtime: it links ntoskrnl and hal only. */
#include "StandinDriver.h"

static KMUTEX g_lock; /* guards all state; never held while an event is opened */
static PDEVICE_OBJECT g_testDevice;
DEVICE_SLOT g_slots[STANDIN_MAX_INSTANCE + 1];
STANDIN_LOG_ENTRY *g_log;
ULONGLONG g_nextSequence = 1;
ULONGLONG g_clearedAt = 1;

DRIVER_INITIALIZE DriverEntry;

void LockState(void)
{
    KeWaitForSingleObject(&g_lock, Executive, KernelMode, FALSE, NULL);
}

void UnlockState(void)
{
    KeReleaseMutex(&g_lock, FALSE);
}

/* Writes prefix + decimal number into a buffer of 64 characters. */
static void FormatName(WCHAR *out, const WCHAR *prefix, ULONG number, BOOLEAN withNumber)
{
    WCHAR digits[12];
    int n = 0;
    size_t len = wcslen(prefix);
    RtlCopyMemory(out, prefix, len * sizeof(WCHAR));
    if (withNumber) {
        do {
            digits[n++] = (WCHAR)(L'0' + number % 10);
            number /= 10;
        } while (number != 0);
        while (n > 0)
            out[len++] = digits[--n];
    }
    out[len] = 0;
}

BOOLEAN ValidInstance(ULONG instance)
{
    return instance - STANDIN_FIRST_INSTANCE <= STANDIN_MAX_INSTANCE - STANDIN_FIRST_INSTANCE;
}

NTSTATUS SetNamedEvent(const WCHAR *name)
{
    static const WCHAR *const roots[] = {L"\\Sessions\\1\\BaseNamedObjects\\", L"\\BaseNamedObjects\\"};
    WCHAR path[160];
    UNICODE_STRING ustr;
    OBJECT_ATTRIBUTES attr;
    HANDLE event;
    NTSTATUS status = STATUS_OBJECT_NAME_NOT_FOUND;
    size_t nameLen = wcslen(name);
    unsigned i;

    if (nameLen == 0 || nameLen >= STANDIN_EVENT_NAME_CHARS)
        return STATUS_OBJECT_NAME_INVALID;
    for (i = 0; i < sizeof(roots) / sizeof(roots[0]); i++) {
        size_t rootLen = wcslen(roots[i]);
        RtlCopyMemory(path, roots[i], rootLen * sizeof(WCHAR));
        RtlCopyMemory(path + rootLen, name, (nameLen + 1) * sizeof(WCHAR));
        RtlInitUnicodeString(&ustr, path);
        InitializeObjectAttributes(&attr, &ustr, OBJ_CASE_INSENSITIVE | OBJ_KERNEL_HANDLE, NULL, NULL);
        status = ZwOpenEvent(&event, EVENT_MODIFY_STATE, &attr);
        if (NT_SUCCESS(status)) {
            status = ZwSetEvent(event, NULL);
            ZwClose(event);
            return status;
        }
    }
    return status;
}

NTSTATUS LinkDevice(ULONG instance, BOOLEAN create)
{
    WCHAR linkName[64], deviceName[64];
    UNICODE_STRING link, device;
    FormatName(linkName, L"\\DosDevices\\" STANDIN_NAME, instance, TRUE);
    RtlInitUnicodeString(&link, linkName);
    if (!create)
        return IoDeleteSymbolicLink(&link);
    FormatName(deviceName, L"\\Device\\" STANDIN_NAME, instance, TRUE);
    RtlInitUnicodeString(&device, deviceName);
    return IoCreateSymbolicLink(&link, &device);
}

static NTSTATUS NTAPI DispatchCreateClose(PDEVICE_OBJECT device, PIRP irp)
{
    DEVICE_EXTENSION *ext = device->DeviceExtension;
    NTSTATUS status = STATUS_SUCCESS;
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    if (stack->MajorFunction == IRP_MJ_CREATE && ext->Instance != STANDIN_TEST_INSTANCE) {
        LockState();
        if (!g_slots[ext->Instance].Linked)
            status = STATUS_DEVICE_NOT_CONNECTED;
        UnlockState();
    }
    irp->IoStatus.Status = status;
    irp->IoStatus.Information = 0;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS NTAPI DispatchControl(PDEVICE_OBJECT device, PIRP irp)
{
    DEVICE_EXTENSION *ext = device->DeviceExtension;
    PIO_STACK_LOCATION stack = IoGetCurrentIrpStackLocation(irp);
    NTSTATUS status;
    if (ext->Instance == STANDIN_TEST_INSTANCE)
        status = TestControl(stack, irp);
    else
        status = ProductControl(ext->Instance, stack, irp);
    irp->IoStatus.Status = status;
    IoCompleteRequest(irp, IO_NO_INCREMENT);
    return status;
}

static NTSTATUS CreateDevice(PDRIVER_OBJECT driver, const WCHAR *name, ULONG instance, PDEVICE_OBJECT *device)
{
    WCHAR deviceName[64], linkName[64];
    UNICODE_STRING deviceString, linkString;
    BOOLEAN numbered = instance != STANDIN_TEST_INSTANCE;
    NTSTATUS status;

    FormatName(deviceName, L"\\Device\\", 0, FALSE);
    FormatName(deviceName + wcslen(deviceName), name, instance, numbered);
    RtlInitUnicodeString(&deviceString, deviceName);
    status = IoCreateDevice(driver, sizeof(DEVICE_EXTENSION), &deviceString, FILE_DEVICE_UNKNOWN, 0, FALSE, device);
    if (!NT_SUCCESS(status))
        return status;
    ((DEVICE_EXTENSION *)(*device)->DeviceExtension)->Instance = instance;
    (*device)->Flags |= DO_BUFFERED_IO;
    (*device)->Flags &= ~DO_DEVICE_INITIALIZING;

    FormatName(linkName, L"\\DosDevices\\", 0, FALSE);
    FormatName(linkName + wcslen(linkName), name, instance, numbered);
    RtlInitUnicodeString(&linkString, linkName);
    status = IoCreateSymbolicLink(&linkString, &deviceString);
    if (!NT_SUCCESS(status)) {
        IoDeleteDevice(*device);
        *device = NULL;
    }
    return status;
}

static void NTAPI DriverUnload(PDRIVER_OBJECT driver)
{
    ULONG i;
    WCHAR linkName[64];
    UNICODE_STRING link;
    (void)driver;
    for (i = STANDIN_FIRST_INSTANCE; i <= STANDIN_MAX_INSTANCE; i++) {
        if (g_slots[i].Device == NULL)
            continue;
        if (g_slots[i].Linked)
            LinkDevice(i, FALSE);
        IoDeleteDevice(g_slots[i].Device);
        g_slots[i].Device = NULL;
    }
    if (g_testDevice != NULL) {
        FormatName(linkName, L"\\DosDevices\\" STANDIN_TEST_NAME, 0, FALSE);
        RtlInitUnicodeString(&link, linkName);
        IoDeleteSymbolicLink(&link);
        IoDeleteDevice(g_testDevice);
        g_testDevice = NULL;
    }
    if (g_log != NULL) {
        ExFreePool(g_log);
        g_log = NULL;
    }
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT driver, PUNICODE_STRING registryPath)
{
    ULONG i;
    NTSTATUS status;
    (void)registryPath;

    KeInitializeMutex(&g_lock, 0);
    g_log = ExAllocatePoolWithTag(NonPagedPool, STANDIN_LOG_CAPACITY * sizeof(STANDIN_LOG_ENTRY), 0x6E697453u /* "Stin" */);
    if (g_log == NULL)
        return STATUS_INSUFFICIENT_RESOURCES;

    driver->MajorFunction[IRP_MJ_CREATE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLEANUP] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_CLOSE] = DispatchCreateClose;
    driver->MajorFunction[IRP_MJ_DEVICE_CONTROL] = DispatchControl;
    driver->DriverUnload = DriverUnload;

    for (i = STANDIN_FIRST_INSTANCE; i <= STANDIN_MAX_INSTANCE; i++) {
        InitState(i);
        status = CreateDevice(driver, STANDIN_NAME, i, &g_slots[i].Device);
        if (!NT_SUCCESS(status)) {
            DriverUnload(driver);
            return status;
        }
        g_slots[i].Linked = TRUE;
    }
    status = CreateDevice(driver, STANDIN_TEST_NAME, STANDIN_TEST_INSTANCE, &g_testDevice);
    if (!NT_SUCCESS(status))
        DriverUnload(driver);
    return status;
}
