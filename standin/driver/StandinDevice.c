/* The product's requests to a stand-in device file: size checks, what each code does, the log. */
#include "StandinDriver.h"

/* The state a device has when the driver starts and after a reset. */
void InitState(ULONG instance)
{
    DEVICE_SLOT *slot = &g_slots[instance];
    STANDIN_DEVICE_STATE *s = &slot->State;
    RtlZeroMemory(s, sizeof(*s));
    RtlZeroMemory(slot->Failures, sizeof(slot->Failures));
    s->Size = sizeof(*s);
    s->Driver = STANDIN_KIND;
    s->Instance = instance;
    s->Enabled = 1;
    s->SensitivityValue = 500;
    s->SensitivityStep = 10;
    s->SensitivityStoreFixesWords = 1;
}

/* Unplugging loses what only a connected controller holds: the events and the button mode. */
void ForgetConnection(STANDIN_DEVICE_STATE *s)
{
    s->Enabled = 1;
    s->SecondaryMode = 0;
    s->HitOne = 0;
    s->CalibrationEventRegistered = 0;
    s->BeepEventRegistered = 0;
}

static NTSTATUS CheckSizes(ULONG instance, ULONG code, ULONG inLen, ULONG outLen)
{
    const STANDIN_CODE_RULE *rule = StandinFindCode(code);
    ULONG where;
    if (rule == NULL)
        return STATUS_INVALID_DEVICE_REQUEST;
#if defined(STANDIN_RILO)
    where = instance == 0 ? STANDIN_ON_RILO0 : STANDIN_ON_RILO_DEVICE;
#else
    (void)instance;
    where = STANDIN_ON_MEKA_DEVICE;
#endif
    /* IOCTL_DELETE_DEVICE_NOTIFICATION has one row per target, with different sizes. */
    for (; rule->Code == code; rule++) {
        if (!(rule->Where & where))
            continue;
        if (inLen != rule->InputSize)
            return STATUS_INVALID_PARAMETER;
        if (outLen != rule->OutputSize && !(rule->OutputMayBeEmpty && outLen == 0))
            return STATUS_INVALID_PARAMETER;
        return STATUS_SUCCESS;
    }
    return STATUS_INVALID_DEVICE_REQUEST;
}

static USHORT SensitivityCommand(STANDIN_DEVICE_STATE *s, USHORT command)
{
    USHORT v = s->SensitivityValue;
    if (v != 0xFFFF) {
        if (command == 2) /* one step duller: the raw value grows */
            v = (USHORT)(v + s->SensitivityStep > 1000 ? 1000 : v + s->SensitivityStep);
        else if (command == 3) /* one step more sensitive */
            v = (USHORT)(v > s->SensitivityStep ? v - s->SensitivityStep : 0);
        s->SensitivityValue = v;
    }
    return v;
}

/* Carries out a request whose sizes were checked; returns the output length. */
static ULONG Apply(STANDIN_DEVICE_STATE *s, ULONG code, const UCHAR *in, UCHAR *out, ULONG outLen)
{
    switch (code) {
    case STANDIN_IOCTL_NEW_DEVICE_NOTIFICATION:
        RtlCopyMemory(s->NewDevice, in, 202);
        s->Has |= STANDIN_HAS_NEW_DEVICE;
        break;
    case STANDIN_IOCTL_SERIAL_SETTINGS:
        RtlCopyMemory(s->SerialSettings, in, 208);
        s->Has |= STANDIN_HAS_SERIAL;
        break;
    case STANDIN_IOCTL_MODE_SETTINGS:
        RtlCopyMemory(s->ModeSettings, in, 12);
        s->Has |= STANDIN_HAS_MODE_SETTINGS;
        break;
    case STANDIN_IOCTL_PACKET_FILTER_SETTINGS:
        RtlCopyMemory(s->PacketFilter, in, 5);
        s->Has |= STANDIN_HAS_PACKET_FILTER;
        break;
    case STANDIN_IOCTL_DEVICE_SEGMENT:
        s->Segment = in[0];
        s->Has |= STANDIN_HAS_SEGMENT;
        break;
    case STANDIN_IOCTL_BEEP_EVENT:
        s->BeepEventRegistered = 1;
        s->BeepEventValue = ReadU32(in);
        break;
    case STANDIN_IOCTL_DEVICE_STATE:
        if (s->StateReplyFixed) {
            WriteU32(out, s->StateReply[0]);
            WriteU32(out + 4, s->StateReply[1]);
            WriteU32(out + 8, s->StateReply[2]);
        } else {
            WriteU32(out, s->Enabled);
            WriteU32(out + 4, 0);
            WriteU32(out + 8, 0);
        }
        return 12;
    case STANDIN_IOCTL_USE_PRIMARY_MODE:
        s->PrimaryModeByte = in[0];
        s->SecondaryMode = 0;
        s->HitOne = 0;
        break;
    case STANDIN_IOCTL_USE_SECONDARY_MODE:
        s->SecondaryEventAddress = ReadU32(in);
        s->HitOne = in[4];
        s->SecondaryMode = 1;
        break;
    case STANDIN_IOCTL_REINITIALIZE_DEVICE:
        s->ReinitializeCount++;
        break;
    case STANDIN_IOCTL_DISABLE_DEVICE:
        s->Enabled = 0;
        break;
    case STANDIN_IOCTL_ENABLE_DEVICE:
        s->Enabled = 1;
        break;
    case STANDIN_IOCTL_DELETE_DEVICE_NOTIFICATION:
        if (s->Instance == 0 && STANDIN_KIND == STANDIN_DRIVER_RILO) {
            s->DeletedInstance = in[0];
            s->Has |= STANDIN_HAS_DELETED;
        } else {
            s->DeleteNotified = 1;
        }
        break;
    case STANDIN_IOCTL_SET_CALIBRATION_EVENT:
        s->CalibrationEventRegistered = 1;
        s->CalibrationEventValue = ReadU32(in);
        break;
    case STANDIN_IOCTL_CALIBRATION_25_POINT:
        RtlCopyMemory(s->Calibration25, in, 632);
        s->Has |= STANDIN_HAS_CAL25;
        break;
    case STANDIN_IOCTL_GET_CALIBRATION_POINT:
        WriteU32(out, (ULONG)s->CalibrationPoint[0]);
        WriteU32(out + 4, (ULONG)s->CalibrationPoint[1]);
        return 8;
    case STANDIN_IOCTL_CALIBRATION_9_POINT:
        RtlCopyMemory(s->Calibration9, in, 232);
        s->Has |= STANDIN_HAS_CAL9;
        break;
    case STANDIN_IOCTL_CALIBRATION_4_POINT:
        RtlCopyMemory(s->Calibration4, in, 80);
        s->Has |= STANDIN_HAS_CAL4;
        break;
    case STANDIN_IOCTL_SENSITIVITY_CONT:
        s->SensitivityContCount++;
        break;
    case STANDIN_IOCTL_SENSITIVITY_COMMAND:
        WriteU16(out, SensitivityCommand(s, ReadU16(in)));
        return 2;
    case STANDIN_IOCTL_SENSITIVITY_MODE:
        s->SensitivityMode = ReadU16(in);
        s->Has |= STANDIN_HAS_SENSITIVITY_MODE;
        if (s->SensitivityMode == 1 && s->SensitivityStoreFixesWords) {
            unsigned a;
            s->SensitivityWords[0] = 0x0000;
            s->SensitivityWords[1] = 0xAAAA;
            for (a = 10; a <= 26; a++)
                s->SensitivityWords[a + 20] = s->SensitivityWords[a];
        }
        break;
    case STANDIN_IOCTL_SENSITIVITY_DATA:
        if (outLen == 2) {
            USHORT address = ReadU16(in);
            WriteU16(out, address < STANDIN_SENSITIVITY_WORDS ? s->SensitivityWords[address] : 0);
            return 2;
        }
        break;
    case STANDIN_IOCTL_DISPLAY_ORIENTATION:
        RtlCopyMemory(s->DisplayOrientation, in, 12);
        s->Has |= STANDIN_HAS_ORIENTATION;
        break;
    default: /* IOCTL_CALLIBRATION_DELTAS: accepted, nothing to keep */
        break;
    }
    return 0;
}

static NTSTATUS InjectedFailure(const DEVICE_SLOT *slot, ULONG code)
{
    unsigned i;
    for (i = 0; i < STANDIN_MAX_FAILURES; i++)
        if (slot->Failures[i].Code == code && slot->Failures[i].Status != 0)
            return slot->Failures[i].Status;
    return STATUS_SUCCESS;
}

NTSTATUS ProductControl(ULONG instance, PIO_STACK_LOCATION stack, PIRP irp)
{
    ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    ULONG inLen = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outLen = stack->Parameters.DeviceIoControl.OutputBufferLength;
    UCHAR *buffer = irp->AssociatedIrp.SystemBuffer;
    DEVICE_SLOT *slot = &g_slots[instance];
    STANDIN_LOG_ENTRY *entry;
    ULONG returned = 0;
    NTSTATUS status;

    LockState();
    entry = &g_log[(g_nextSequence - 1) & STANDIN_LOG_MASK];
    RtlZeroMemory(entry, sizeof(*entry));
    entry->Sequence = g_nextSequence++;
    entry->Timestamp = KeQueryPerformanceCounter(NULL).QuadPart;
    entry->Driver = STANDIN_KIND;
    entry->Instance = instance;
    entry->Code = code;
    entry->InputSize = inLen;
    entry->OutputSize = outLen;
    /* Input and output share the system buffer: keep the input before a reply overwrites it. */
    if (buffer != NULL && inLen != 0)
        RtlCopyMemory(entry->Input, buffer, inLen < STANDIN_LOG_CAPTURE ? inLen : STANDIN_LOG_CAPTURE);

    if (!slot->Linked)
        status = STATUS_DEVICE_NOT_CONNECTED;
    else
        status = CheckSizes(instance, code, inLen, outLen);
    if (NT_SUCCESS(status))
        status = InjectedFailure(slot, code);
    if (NT_SUCCESS(status) && ((inLen != 0 || outLen != 0) && buffer == NULL))
        status = STATUS_INVALID_PARAMETER;
    if (NT_SUCCESS(status))
        returned = Apply(&slot->State, code, buffer, buffer, outLen);

    entry->Status = status;
    entry->BytesReturned = returned;
    slot->State.RequestCount++;
    UnlockState();

    irp->IoStatus.Information = returned;
    return status;
}
