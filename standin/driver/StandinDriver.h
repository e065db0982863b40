/* Internals shared by the stand-in driver's source files (see StandinDriver.c). */
#ifndef TIVEN_STANDIN_DRIVER_H
#define TIVEN_STANDIN_DRIVER_H

#include <ntifs.h>
#include "StandinProtocol.h"
#include "StandinCodes.h"

#if defined(STANDIN_RILO)
#define STANDIN_KIND STANDIN_DRIVER_RILO
#define STANDIN_NAME L"RILO"
#define STANDIN_FIRST_INSTANCE 0 /* RILO0 is the control device */
#elif defined(STANDIN_MEKA)
#define STANDIN_KIND STANDIN_DRIVER_MEKA
#define STANDIN_NAME L"MEKA"
#define STANDIN_FIRST_INSTANCE 1
#else
#error "define STANDIN_RILO or STANDIN_MEKA"
#endif

#define STANDIN_TEST_NAME L"TivenStandinTest" STANDIN_NAME
#define STANDIN_TEST_INSTANCE 0xFFFFFFFFu
#define STANDIN_MAX_FAILURES 8
#define STANDIN_LOG_MASK (STANDIN_LOG_CAPACITY - 1)

#if (STANDIN_LOG_CAPACITY & STANDIN_LOG_MASK) != 0
#error "the log capacity must be a power of two"
#endif

typedef struct FAILURE {
    ULONG Code;
    NTSTATUS Status;
} FAILURE;

typedef struct DEVICE_SLOT {
    PDEVICE_OBJECT Device;
    BOOLEAN Linked; /* the \DosDevices link exists: the device is "plugged" */
    STANDIN_DEVICE_STATE State;
    FAILURE Failures[STANDIN_MAX_FAILURES];
} DEVICE_SLOT;

typedef struct DEVICE_EXTENSION {
    ULONG Instance; /* STANDIN_TEST_INSTANCE for the test device */
} DEVICE_EXTENSION;

/* Named events that the stand-in sets when it cannot use the handle a request carried:
 * Wine runs drivers in winedevice.exe, where the caller's handles mean nothing. */
typedef struct EVENT_WORK {
    BOOLEAN Calibration;
    BOOLEAN Beep;
    BOOLEAN OneTouchEnded;
    WCHAR BeepName[STANDIN_EVENT_NAME_CHARS];
} EVENT_WORK;

extern DEVICE_SLOT g_slots[STANDIN_MAX_INSTANCE + 1];
extern STANDIN_LOG_ENTRY *g_log; /* ring of STANDIN_LOG_CAPACITY entries */
extern ULONGLONG g_nextSequence;
extern ULONGLONG g_clearedAt;    /* first sequence after the last clear */

/* StandinDriver.c */
void LockState(void);
void UnlockState(void);
BOOLEAN ValidInstance(ULONG instance);
NTSTATUS SetNamedEvent(const WCHAR *name);
NTSTATUS LinkDevice(ULONG instance, BOOLEAN create);

/* StandinDevice.c: the product's requests */
void InitState(ULONG instance);
void ForgetConnection(STANDIN_DEVICE_STATE *s);
NTSTATUS ProductControl(ULONG instance, PIO_STACK_LOCATION stack, PIRP irp);

/* StandinTestChannel.c: the tests' requests */
NTSTATUS TestControl(PIO_STACK_LOCATION stack, PIRP irp);

static __inline ULONG ReadU32(const UCHAR *p)
{
    return (ULONG)p[0] | ((ULONG)p[1] << 8) | ((ULONG)p[2] << 16) | ((ULONG)p[3] << 24);
}

static __inline USHORT ReadU16(const UCHAR *p)
{
    return (USHORT)(p[0] | (p[1] << 8));
}

static __inline void WriteU16(UCHAR *p, USHORT v)
{
    p[0] = (UCHAR)v;
    p[1] = (UCHAR)(v >> 8);
}

static __inline void WriteU32(UCHAR *p, ULONG v)
{
    WriteU16(p, (USHORT)v);
    WriteU16(p + 2, (USHORT)(v >> 16));
}

#endif
