/* Private protocol of the stand-in drivers' test devices (test equipment only).
 *
 * Each stand-in driver (rilo.sys, meka.sys) creates one test device besides the product device
 * files: \\.\TivenStandinTestRILO and \\.\TivenStandinTestMEKA. The codes below are
 * FILE_DEVICE_UNKNOWN, METHOD_BUFFERED, FILE_ANY_ACCESS with function numbers from 0x800.
 * Plain C with fixed-size fields, so the kernel driver (C, no runtime) and the client library
 * (C++) share one definition and the layout is the same on x86_64 and i686. */
#ifndef TIVEN_STANDIN_PROTOCOL_H
#define TIVEN_STANDIN_PROTOCOL_H

#define STANDIN_PROTOCOL_VERSION 1

#define STANDIN_DRIVER_RILO 1
#define STANDIN_DRIVER_MEKA 2

/* Product device files \\.\RILO1..\\.\RILO<MAX>, \\.\MEKA1..\\.\MEKA<MAX>, and \\.\RILO0. */
#define STANDIN_MAX_INSTANCE 32
#define STANDIN_LOG_CAPACITY 2048  /* entries kept per driver; older ones are dropped first */
#define STANDIN_LOG_CAPTURE 640    /* input bytes kept per entry (the largest request is 632) */
#define STANDIN_SENSITIVITY_WORDS 64
#define STANDIN_EVENT_NAME_CHARS 64

#define STANDIN_TEST_DEVICE_RILO L"\\\\.\\TivenStandinTestRILO"
#define STANDIN_TEST_DEVICE_MEKA L"\\\\.\\TivenStandinTestMEKA"

#define STANDIN_CTL(fn) ((0x22u << 16) | ((unsigned)(fn) << 2))

/* in: -                          out: STANDIN_INFO */
#define STANDIN_IOCTL_GET_INFO              STANDIN_CTL(0x800)
/* in: STANDIN_READ_LOG_REQUEST   out: STANDIN_LOG_HEADER + as many STANDIN_LOG_ENTRY as fit */
#define STANDIN_IOCTL_READ_LOG              STANDIN_CTL(0x801)
/* in: -                          out: -   (forgets every entry, clears the overflow flag) */
#define STANDIN_IOCTL_CLEAR_LOG             STANDIN_CTL(0x802)
/* in: STANDIN_INSTANCE_REQUEST   out: STANDIN_DEVICE_STATE */
#define STANDIN_IOCTL_GET_STATE             STANDIN_CTL(0x803)
/* in: STANDIN_STATE_REPLY_REQUEST out: - */
#define STANDIN_IOCTL_SET_STATE_REPLY       STANDIN_CTL(0x804)
/* in: STANDIN_POINT_REQUEST      out: -   (the reply of IOCTL_GET_CALIBRATION_POINT, no event) */
#define STANDIN_IOCTL_SET_CALIBRATION_POINT STANDIN_CTL(0x805)
/* in: STANDIN_POINT_REQUEST      out: STANDIN_EVENT_RESULT */
#define STANDIN_IOCTL_INJECT_TOUCH          STANDIN_CTL(0x806)
/* in: STANDIN_INSTANCE_REQUEST   out: STANDIN_EVENT_RESULT */
#define STANDIN_IOCTL_END_ONE_TOUCH         STANDIN_CTL(0x807)
/* in: STANDIN_INSTANCE_REQUEST   out: - */
#define STANDIN_IOCTL_UNPLUG                STANDIN_CTL(0x808)
#define STANDIN_IOCTL_REPLUG                STANDIN_CTL(0x809)
/* in: STANDIN_SENSITIVITY_REQUEST out: - */
#define STANDIN_IOCTL_SET_SENSITIVITY       STANDIN_CTL(0x80A)
/* in: STANDIN_EVENT_NAME_REQUEST out: - */
#define STANDIN_IOCTL_SET_BEEP_EVENT_NAME   STANDIN_CTL(0x80B)
/* in: STANDIN_FAIL_REQUEST       out: - */
#define STANDIN_IOCTL_FAIL_CODE             STANDIN_CTL(0x80C)
/* in: -                          out: -   (every device to its start state, plugged; log cleared) */
#define STANDIN_IOCTL_RESET                 STANDIN_CTL(0x80D)

typedef unsigned char standin_u8;
typedef unsigned short standin_u16;
typedef unsigned int standin_u32;
typedef int standin_i32;
typedef unsigned long long standin_u64;
typedef long long standin_i64;

#pragma pack(push, 8)

typedef struct STANDIN_INFO {
    standin_u32 Version;        /* STANDIN_PROTOCOL_VERSION */
    standin_u32 Driver;         /* STANDIN_DRIVER_* */
    standin_u32 MaxInstance;    /* STANDIN_MAX_INSTANCE */
    standin_u32 LogCapacity;
    standin_u32 LogCapture;
    standin_u32 Reserved;
    standin_i64 TimestampFrequency; /* ticks per second of STANDIN_LOG_ENTRY.Timestamp */
} STANDIN_INFO;

typedef struct STANDIN_READ_LOG_REQUEST {
    standin_u64 FromSequence;   /* first entry wanted; 0 = the oldest kept */
} STANDIN_READ_LOG_REQUEST;

typedef struct STANDIN_LOG_HEADER {
    standin_u64 FirstSequence;  /* oldest entry still kept */
    standin_u64 NextSequence;   /* sequence the next request will get */
    standin_u32 Count;          /* entries that follow this header */
    standin_u32 Overflow;       /* 1 when entries were dropped since the last clear */
} STANDIN_LOG_HEADER;

/* One request to a product device file, logged when it completes. Timestamp is
 * KeQueryPerformanceCounter at arrival: both drivers read the same system clock, so entries of
 * both logs merge into arrival order by (Timestamp, Driver, Sequence). */
typedef struct STANDIN_LOG_ENTRY {
    standin_u64 Sequence;       /* per driver, from 1, never reused (a clear does not restart it) */
    standin_i64 Timestamp;
    standin_u32 Driver;
    standin_u32 Instance;       /* 0 = \\.\RILO0 */
    standin_u32 Code;
    standin_u32 InputSize;      /* full input length; Input holds the first STANDIN_LOG_CAPTURE bytes */
    standin_u32 OutputSize;     /* output buffer length the caller gave */
    standin_i32 Status;         /* NTSTATUS the request completed with */
    standin_u32 BytesReturned;
    standin_u32 Reserved;
    standin_u8 Input[STANDIN_LOG_CAPTURE];
} STANDIN_LOG_ENTRY;

typedef struct STANDIN_INSTANCE_REQUEST {
    standin_u32 Instance;
} STANDIN_INSTANCE_REQUEST;

typedef struct STANDIN_STATE_REPLY_REQUEST {
    standin_u32 Instance;
    standin_u32 Fixed;          /* 0 = automatic reply (state = enabled, no errors) */
    standin_u32 State;
    standin_u32 CommunicationErrors;
    standin_u32 SynchronisationErrors;
} STANDIN_STATE_REPLY_REQUEST;

typedef struct STANDIN_POINT_REQUEST {
    standin_u32 Instance;
    standin_i32 X;
    standin_i32 Y;
} STANDIN_POINT_REQUEST;

typedef struct STANDIN_SENSITIVITY_REQUEST {
    standin_u32 Instance;
    standin_u16 Value;          /* raw value reported by IOCTL_SENSITIVITY_COMMAND; 0xFFFF = no value */
    standin_u16 Step;           /* change of the raw value per "duller" (+) or "more sensitive" (-) */
    standin_u32 StoreFixesWords;/* 1: IOCTL_SENSITIVITY_MODE 1 makes the words a good store */
    standin_u16 Words[STANDIN_SENSITIVITY_WORDS]; /* read by IOCTL_SENSITIVITY_DATA by address */
} STANDIN_SENSITIVITY_REQUEST;

typedef struct STANDIN_EVENT_NAME_REQUEST {
    standin_u32 Instance;
    standin_u16 Name[STANDIN_EVENT_NAME_CHARS]; /* NUL-terminated; empty = none */
} STANDIN_EVENT_NAME_REQUEST;

typedef struct STANDIN_FAIL_REQUEST {
    standin_u32 Instance;
    standin_u32 Code;           /* product control code; 0 with Status 0 clears every failure */
    standin_i32 Status;         /* NTSTATUS to complete it with; 0 = no longer fail this code */
} STANDIN_FAIL_REQUEST;

#define STANDIN_EVENT_CALIBRATION_SET      0x01u /* "CALIB_APPLICATION" was set */
#define STANDIN_EVENT_CALIBRATION_MISSING  0x02u /* registered, but no such event exists */
#define STANDIN_EVENT_BEEP_SET             0x04u /* the beep event name was set */
#define STANDIN_EVENT_BEEP_MISSING         0x08u /* registered, but no name given or not found */
#define STANDIN_EVENT_ONE_TOUCH_ENDED      0x10u /* a one-touch secondary mode went back to primary */
#define STANDIN_EVENT_TRAY_GESTURO_SET     0x20u /* ... and "TRAY_GESTURO" was set */
#define STANDIN_EVENT_DIALOG_GESTURO_SET   0x40u /* ... and "DialogGesturo" was set */

typedef struct STANDIN_EVENT_RESULT {
    standin_u32 Flags;          /* STANDIN_EVENT_* */
} STANDIN_EVENT_RESULT;

#define STANDIN_HAS_PACKET_FILTER  0x0001u
#define STANDIN_HAS_MODE_SETTINGS  0x0002u
#define STANDIN_HAS_SERIAL         0x0004u
#define STANDIN_HAS_SEGMENT        0x0008u
#define STANDIN_HAS_ORIENTATION    0x0010u
#define STANDIN_HAS_CAL4           0x0020u
#define STANDIN_HAS_CAL9           0x0040u
#define STANDIN_HAS_CAL25          0x0080u
#define STANDIN_HAS_NEW_DEVICE     0x0100u
#define STANDIN_HAS_DELETED        0x0200u
#define STANDIN_HAS_SENSITIVITY_MODE 0x0400u

typedef struct STANDIN_DEVICE_STATE {
    standin_u32 Size;           /* sizeof(STANDIN_DEVICE_STATE) */
    standin_u32 Driver;
    standin_u32 Instance;
    standin_u32 Present;        /* 1 = plugged: the device file can be opened */
    standin_u32 Enabled;        /* 0 after IOCTL_DISABLE_DEVICE, 1 at start and after ENABLE */
    standin_u32 SecondaryMode;  /* 0 = primary button mode in use, 1 = secondary */
    standin_u32 HitOne;         /* HitOne byte of the secondary request in force */
    standin_u32 SecondaryEventAddress; /* address field of the last IOCTL_USE_SECONDARY_MODE */
    standin_u32 PrimaryModeByte;       /* byte of the last IOCTL_USE_PRIMARY_MODE */
    standin_u32 CalibrationEventRegistered; /* IOCTL_SET_CALIBRATION_EVENT received */
    standin_u32 CalibrationEventValue;
    standin_u32 BeepEventRegistered;        /* IOCTL_BEEP_EVENT received */
    standin_u32 BeepEventValue;
    standin_u32 Has;            /* STANDIN_HAS_*: which of the records below were received */
    standin_u32 Segment;        /* last IOCTL_DEVICE_SEGMENT byte */
    standin_u32 SensitivityMode;/* last IOCTL_SENSITIVITY_MODE value */
    standin_u32 DeletedInstance;/* RILO0: instance byte of the last delete notice */
    standin_u32 DeleteNotified; /* MEKA: IOCTL_DELETE_DEVICE_NOTIFICATION received */
    standin_u32 ReinitializeCount;
    standin_u32 SensitivityContCount;
    standin_u32 RequestCount;   /* requests logged for this device since the last reset */
    standin_u32 StateReplyFixed;
    standin_u32 StateReply[3];  /* the DeviceStateReply given when StateReplyFixed */
    standin_i32 CalibrationPoint[2]; /* reply of IOCTL_GET_CALIBRATION_POINT */
    standin_u16 SensitivityValue;
    standin_u16 SensitivityStep;
    standin_u32 SensitivityStoreFixesWords;
    standin_u16 SensitivityWords[STANDIN_SENSITIVITY_WORDS];
    standin_u16 BeepEventName[STANDIN_EVENT_NAME_CHARS];
    standin_u8 PacketFilter[8];        /* 5 used */
    standin_u8 ModeSettings[12];
    standin_u8 SerialSettings[208];
    standin_u8 DisplayOrientation[12];
    standin_u8 Calibration4[80];
    standin_u8 Calibration9[232];
    standin_u8 Calibration25[632];
    standin_u8 NewDevice[208];         /* RILO0: the last 202-byte NewDeviceRequest */
} STANDIN_DEVICE_STATE;

#pragma pack(pop)

#endif
