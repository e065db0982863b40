/* The test channel: requests to \\.\TivenStandinTestRILO / MEKA (StandinProtocol.h). */
#include "StandinDriver.h"

/* Sets the events a touch or the end of a one-touch mode calls for; runs without the lock. */
static ULONG SetEvents(const EVENT_WORK *work)
{
    ULONG flags = 0;
    if (work->Calibration)
        flags |= NT_SUCCESS(SetNamedEvent(L"CALIB_APPLICATION")) ? STANDIN_EVENT_CALIBRATION_SET
                                                                 : STANDIN_EVENT_CALIBRATION_MISSING;
    if (work->Beep)
        flags |= NT_SUCCESS(SetNamedEvent(work->BeepName)) ? STANDIN_EVENT_BEEP_SET : STANDIN_EVENT_BEEP_MISSING;
    if (work->OneTouchEnded) {
        flags |= STANDIN_EVENT_ONE_TOUCH_ENDED;
        /* Beaconet's event when it runs, else Gesturo's: the stand-in cannot read the handle
         * address the secondary request carried. */
        if (NT_SUCCESS(SetNamedEvent(L"TRAY_GESTURO")))
            flags |= STANDIN_EVENT_TRAY_GESTURO_SET;
        else if (NT_SUCCESS(SetNamedEvent(L"DialogGesturo")))
            flags |= STANDIN_EVENT_DIALOG_GESTURO_SET;
    }
    return flags;
}

static BOOLEAN EndOneTouchLocked(STANDIN_DEVICE_STATE *s)
{
    if (!s->SecondaryMode || s->HitOne != 1)
        return FALSE;
    s->SecondaryMode = 0;
    s->HitOne = 0;
    return TRUE;
}

static void ResetAll(void)
{
    ULONG i;
    for (i = STANDIN_FIRST_INSTANCE; i <= STANDIN_MAX_INSTANCE; i++) {
        InitState(i);
        if (!g_slots[i].Linked && NT_SUCCESS(LinkDevice(i, TRUE)))
            g_slots[i].Linked = TRUE;
    }
    g_clearedAt = g_nextSequence;
}

static NTSTATUS ReadLog(const UCHAR *in, UCHAR *out, ULONG outLen, ULONG *returned)
{
    STANDIN_LOG_HEADER header;
    ULONGLONG from = ((const STANDIN_READ_LOG_REQUEST *)in)->FromSequence;
    ULONGLONG first = g_clearedAt;
    ULONG fit = (outLen - sizeof(header)) / sizeof(STANDIN_LOG_ENTRY);
    ULONG count = 0;

    if (g_nextSequence - first > STANDIN_LOG_CAPACITY)
        first = g_nextSequence - STANDIN_LOG_CAPACITY;
    if (from < first)
        from = first;
    for (; from < g_nextSequence && count < fit; from++, count++)
        RtlCopyMemory(out + sizeof(header) + count * sizeof(STANDIN_LOG_ENTRY),
                      &g_log[(from - 1) & STANDIN_LOG_MASK], sizeof(STANDIN_LOG_ENTRY));
    header.FirstSequence = first;
    header.NextSequence = g_nextSequence;
    header.Count = count;
    header.Overflow = g_nextSequence - g_clearedAt > STANDIN_LOG_CAPACITY;
    RtlCopyMemory(out, &header, sizeof(header));
    *returned = sizeof(header) + count * sizeof(STANDIN_LOG_ENTRY);
    return STATUS_SUCCESS;
}

static BOOLEAN SizesFit(ULONG inLen, ULONG outLen, ULONG wantIn, ULONG minOut)
{
    return inLen == wantIn && outLen >= minOut;
}

/* Test-channel requests that need the lock. Fills *work with events to set afterwards. */
static NTSTATUS TestControlLocked(ULONG code, const UCHAR *in, ULONG inLen, UCHAR *out, ULONG outLen,
                                  ULONG *returned, EVENT_WORK *work)
{
    ULONG instance = inLen >= 4 ? ReadU32(in) : 0;
    DEVICE_SLOT *slot = ValidInstance(instance) ? &g_slots[instance] : NULL;
    STANDIN_DEVICE_STATE *s = slot != NULL ? &slot->State : NULL;

#define NEED(inSize, outSize) \
    do { \
        if (!SizesFit(inLen, outLen, (inSize), (outSize))) return STATUS_INVALID_PARAMETER; \
    } while (0)
#define NEED_DEVICE() \
    do { \
        if (s == NULL) return STATUS_INVALID_PARAMETER; \
    } while (0)

    switch (code) {
    case STANDIN_IOCTL_GET_INFO: {
        STANDIN_INFO info;
        NEED(0, sizeof(info));
        RtlZeroMemory(&info, sizeof(info));
        info.Version = STANDIN_PROTOCOL_VERSION;
        info.Driver = STANDIN_KIND;
        info.MaxInstance = STANDIN_MAX_INSTANCE;
        info.LogCapacity = STANDIN_LOG_CAPACITY;
        info.LogCapture = STANDIN_LOG_CAPTURE;
        KeQueryPerformanceCounter((PLARGE_INTEGER)&info.TimestampFrequency);
        RtlCopyMemory(out, &info, sizeof(info));
        *returned = sizeof(info);
        return STATUS_SUCCESS;
    }
    case STANDIN_IOCTL_READ_LOG:
        NEED(sizeof(STANDIN_READ_LOG_REQUEST), sizeof(STANDIN_LOG_HEADER));
        return ReadLog(in, out, outLen, returned);
    case STANDIN_IOCTL_CLEAR_LOG:
        NEED(0, 0);
        g_clearedAt = g_nextSequence;
        return STATUS_SUCCESS;
    case STANDIN_IOCTL_RESET:
        NEED(0, 0);
        ResetAll();
        return STATUS_SUCCESS;
    case STANDIN_IOCTL_GET_STATE:
        NEED(sizeof(STANDIN_INSTANCE_REQUEST), sizeof(STANDIN_DEVICE_STATE));
        NEED_DEVICE();
        s->Present = slot->Linked;
        RtlCopyMemory(out, s, sizeof(*s));
        *returned = sizeof(*s);
        return STATUS_SUCCESS;
    case STANDIN_IOCTL_SET_STATE_REPLY: {
        const STANDIN_STATE_REPLY_REQUEST *r = (const STANDIN_STATE_REPLY_REQUEST *)in;
        NEED(sizeof(*r), 0);
        NEED_DEVICE();
        s->StateReplyFixed = r->Fixed != 0;
        s->StateReply[0] = r->State;
        s->StateReply[1] = r->CommunicationErrors;
        s->StateReply[2] = r->SynchronisationErrors;
        return STATUS_SUCCESS;
    }
    case STANDIN_IOCTL_SET_CALIBRATION_POINT:
    case STANDIN_IOCTL_INJECT_TOUCH: {
        const STANDIN_POINT_REQUEST *r = (const STANDIN_POINT_REQUEST *)in;
        NEED(sizeof(*r), code == STANDIN_IOCTL_INJECT_TOUCH ? sizeof(STANDIN_EVENT_RESULT) : 0);
        NEED_DEVICE();
        s->CalibrationPoint[0] = r->X;
        s->CalibrationPoint[1] = r->Y;
        if (code == STANDIN_IOCTL_SET_CALIBRATION_POINT)
            return STATUS_SUCCESS;
        if (!slot->Linked)
            return STATUS_DEVICE_NOT_CONNECTED;
        work->Calibration = s->CalibrationEventRegistered != 0;
        work->Beep = s->BeepEventRegistered != 0;
        RtlCopyMemory(work->BeepName, s->BeepEventName, sizeof(work->BeepName));
        work->OneTouchEnded = EndOneTouchLocked(s);
        return STATUS_SUCCESS;
    }
    case STANDIN_IOCTL_END_ONE_TOUCH:
        NEED(sizeof(STANDIN_INSTANCE_REQUEST), sizeof(STANDIN_EVENT_RESULT));
        NEED_DEVICE();
        if (!EndOneTouchLocked(s))
            return STATUS_INVALID_DEVICE_STATE;
        work->OneTouchEnded = TRUE;
        return STATUS_SUCCESS;
    case STANDIN_IOCTL_UNPLUG:
    case STANDIN_IOCTL_REPLUG: {
        BOOLEAN plug = code == STANDIN_IOCTL_REPLUG;
        NEED(sizeof(STANDIN_INSTANCE_REQUEST), 0);
        NEED_DEVICE();
        if (slot->Linked != plug) {
            NTSTATUS status = LinkDevice(instance, plug);
            if (!NT_SUCCESS(status))
                return status;
            slot->Linked = plug;
            if (!plug)
                ForgetConnection(s);
        }
        return STATUS_SUCCESS;
    }
    case STANDIN_IOCTL_SET_SENSITIVITY: {
        const STANDIN_SENSITIVITY_REQUEST *r = (const STANDIN_SENSITIVITY_REQUEST *)in;
        NEED(sizeof(*r), 0);
        NEED_DEVICE();
        s->SensitivityValue = r->Value;
        s->SensitivityStep = r->Step;
        s->SensitivityStoreFixesWords = r->StoreFixesWords != 0;
        RtlCopyMemory(s->SensitivityWords, r->Words, sizeof(s->SensitivityWords));
        return STATUS_SUCCESS;
    }
    case STANDIN_IOCTL_SET_BEEP_EVENT_NAME: {
        const STANDIN_EVENT_NAME_REQUEST *r = (const STANDIN_EVENT_NAME_REQUEST *)in;
        NEED(sizeof(*r), 0);
        NEED_DEVICE();
        RtlCopyMemory(s->BeepEventName, r->Name, sizeof(s->BeepEventName));
        s->BeepEventName[STANDIN_EVENT_NAME_CHARS - 1] = 0;
        return STATUS_SUCCESS;
    }
    case STANDIN_IOCTL_FAIL_CODE: {
        const STANDIN_FAIL_REQUEST *r = (const STANDIN_FAIL_REQUEST *)in;
        unsigned i, freeSlot = STANDIN_MAX_FAILURES;
        NEED(sizeof(*r), 0);
        NEED_DEVICE();
        if (r->Code == 0) {
            RtlZeroMemory(slot->Failures, sizeof(slot->Failures));
            return STATUS_SUCCESS;
        }
        for (i = 0; i < STANDIN_MAX_FAILURES; i++) {
            if (slot->Failures[i].Code == r->Code) {
                slot->Failures[i].Status = r->Status;
                return STATUS_SUCCESS;
            }
            if (slot->Failures[i].Status == 0 && freeSlot == STANDIN_MAX_FAILURES)
                freeSlot = i;
        }
        if (r->Status == 0)
            return STATUS_SUCCESS;
        if (freeSlot == STANDIN_MAX_FAILURES)
            return STATUS_INSUFFICIENT_RESOURCES;
        slot->Failures[freeSlot].Code = r->Code;
        slot->Failures[freeSlot].Status = r->Status;
        return STATUS_SUCCESS;
    }
    default:
        return STATUS_INVALID_DEVICE_REQUEST;
    }
#undef NEED
#undef NEED_DEVICE
}

NTSTATUS TestControl(PIO_STACK_LOCATION stack, PIRP irp)
{
    ULONG code = stack->Parameters.DeviceIoControl.IoControlCode;
    ULONG inLen = stack->Parameters.DeviceIoControl.InputBufferLength;
    ULONG outLen = stack->Parameters.DeviceIoControl.OutputBufferLength;
    UCHAR *buffer = irp->AssociatedIrp.SystemBuffer;
    /* The request is copied out of the shared system buffer before any reply is written. */
    UCHAR in[sizeof(STANDIN_SENSITIVITY_REQUEST) > sizeof(STANDIN_EVENT_NAME_REQUEST)
                 ? sizeof(STANDIN_SENSITIVITY_REQUEST)
                 : sizeof(STANDIN_EVENT_NAME_REQUEST)];
    EVENT_WORK work;
    ULONG returned = 0;
    NTSTATUS status;

    RtlZeroMemory(&work, sizeof(work));
    if (inLen > sizeof(in) || ((inLen != 0 || outLen != 0) && buffer == NULL)) {
        irp->IoStatus.Information = 0;
        return STATUS_INVALID_PARAMETER;
    }
    if (inLen != 0)
        RtlCopyMemory(in, buffer, inLen);

    LockState();
    status = TestControlLocked(code, in, inLen, buffer, outLen, &returned, &work);
    UnlockState();

    if (NT_SUCCESS(status) && (code == STANDIN_IOCTL_INJECT_TOUCH || code == STANDIN_IOCTL_END_ONE_TOUCH)) {
        STANDIN_EVENT_RESULT result;
        result.Flags = SetEvents(&work);
        RtlCopyMemory(buffer, &result, sizeof(result));
        returned = sizeof(result);
    }
    irp->IoStatus.Information = NT_SUCCESS(status) ? returned : 0;
    return status;
}
