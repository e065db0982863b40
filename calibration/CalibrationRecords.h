#pragma once
// Requests the calibration program sends to the touch drivers, byte for byte as the drivers
// read them: little-endian 32-bit signed values, no padding, the same on x86 and x64.
#include <cstddef>
#include <cstdint>

namespace calib {

constexpr uint32_t IOCTL_SET_CALIBRATION_EVENT = 0x22003C;
constexpr uint32_t IOCTL_CALIBRATION_25_POINT = 0x220040;
constexpr uint32_t IOCTL_GET_CALIBRATION_POINT = 0x220044;
constexpr uint32_t IOCTL_CALIBRATION_9_POINT = 0x220048;
constexpr uint32_t IOCTL_CALIBRATION_4_POINT = 0x22004C;

#pragma pack(push, 1)

// Reply of IOCTL_GET_CALIBRATION_POINT: the raw controller coordinate of the last touch.
struct RawPointReply {
    int32_t x;
    int32_t y;
};

// Input of IOCTL_CALIBRATION_4_POINT. Points are in record order: 1 bottom-right,
// 2 top-right, 3 top-left, 4 bottom-left.
struct CalibrationRecord4 {
    int32_t rawX[4];
    int32_t rawY[4];
    int32_t screenX[4];
    int32_t screenY[4];
    int32_t maxXPixels;
    int32_t maxYPixels;
    int32_t secMouX;
    int32_t secMouY;
};

// Bow-correction values shared by the 9- and 25-point records.
struct BowValues {
    int32_t axP, ayP, bxP, byP, cxP, cyP;
    int32_t x4plx6P, x4mix6P, y8ply2P, y8miy2P;
};

// One bilinear map: X = (a_x u + b_x v + c_x u v / 128 + d_x) / K, Y likewise.
struct BilinearMap {
    int32_t ax, bx, cx, dx, ay, by, cy, dy;
};

// Input of IOCTL_CALIBRATION_9_POINT.
struct CalibrationRecord9 {
    BowValues bow;
    BilinearMap corner;
    BilinearMap cells[4];
    int32_t midX;
    int32_t midY;
    int32_t maxXPixels;
    int32_t maxYPixels;
    int32_t bowFlag;
    int32_t rotate;
    int32_t secMouX;
    int32_t secMouY;
};

// Input of IOCTL_CALIBRATION_25_POINT.
struct CalibrationRecord25 {
    BowValues bow;
    BilinearMap corner;
    BilinearMap cells[16];
    int32_t midX;
    int32_t midY;
    int32_t rightQ;
    int32_t leftQ;
    int32_t upQ;
    int32_t downQ;
    int32_t maxXPixels;
    int32_t maxYPixels;
    int32_t bowFlag;
    int32_t rotate;
    int32_t secMouX;
    int32_t secMouY;
};

#pragma pack(pop)

static_assert(sizeof(RawPointReply) == 8, "raw point reply is 8 bytes");
static_assert(sizeof(BowValues) == 40 && sizeof(BilinearMap) == 32, "map blocks");
static_assert(sizeof(CalibrationRecord4) == 80, "4-point record is 80 bytes");
static_assert(offsetof(CalibrationRecord4, screenX) == 8 * 4 && offsetof(CalibrationRecord4, maxXPixels) == 16 * 4 &&
                  offsetof(CalibrationRecord4, secMouY) == 19 * 4,
              "4-point record layout");
static_assert(sizeof(CalibrationRecord9) == 232, "9-point record is 232 bytes");
static_assert(offsetof(CalibrationRecord9, corner) == 10 * 4 && offsetof(CalibrationRecord9, cells) == 18 * 4 &&
                  offsetof(CalibrationRecord9, midX) == 50 * 4 && offsetof(CalibrationRecord9, maxXPixels) == 52 * 4 &&
                  offsetof(CalibrationRecord9, bowFlag) == 54 * 4 && offsetof(CalibrationRecord9, rotate) == 55 * 4 &&
                  offsetof(CalibrationRecord9, secMouX) == 56 * 4,
              "9-point record layout");
static_assert(sizeof(CalibrationRecord25) == 632, "25-point record is 632 bytes");
static_assert(offsetof(CalibrationRecord25, corner) == 10 * 4 && offsetof(CalibrationRecord25, cells) == 18 * 4 &&
                  offsetof(CalibrationRecord25, midX) == 146 * 4 && offsetof(CalibrationRecord25, rightQ) == 148 * 4 &&
                  offsetof(CalibrationRecord25, downQ) == 151 * 4 &&
                  offsetof(CalibrationRecord25, maxXPixels) == 152 * 4 &&
                  offsetof(CalibrationRecord25, bowFlag) == 154 * 4 && offsetof(CalibrationRecord25, rotate) == 155 * 4 &&
                  offsetof(CalibrationRecord25, secMouX) == 156 * 4,
              "25-point record layout");

}  // namespace calib
