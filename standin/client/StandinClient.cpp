#include "StandinClient.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstring>

#include "StandinProtocol.h"

namespace standin {
namespace {

static_assert(sizeof(STANDIN_INFO) == 32, "STANDIN_INFO layout");
static_assert(sizeof(STANDIN_LOG_HEADER) == 24, "STANDIN_LOG_HEADER layout");
static_assert(sizeof(STANDIN_LOG_ENTRY) == 48 + STANDIN_LOG_CAPTURE, "STANDIN_LOG_ENTRY layout");
static_assert(offsetof(STANDIN_LOG_ENTRY, Input) == 48, "STANDIN_LOG_ENTRY input offset");
static_assert(sizeof(STANDIN_SENSITIVITY_REQUEST) == 12 + 2 * STANDIN_SENSITIVITY_WORDS, "sensitivity layout");
static_assert(offsetof(STANDIN_DEVICE_STATE, CalibrationPoint) == 25 * 4, "device state layout");
static_assert(sizeof(STANDIN_DEVICE_STATE) == 1764, "device state layout");
static_assert(kMaxInstance == STANDIN_MAX_INSTANCE, "instance count");

constexpr DWORD kLogEntriesPerRead = 64;

const wchar_t* TestDeviceName(Driver driver)
{
    return driver == Driver::Rilo ? STANDIN_TEST_DEVICE_RILO : STANDIN_TEST_DEVICE_MEKA;
}

// One request on a driver's test device; the device is opened for each call and closed again.
bool Call(Driver driver, DWORD code, const void* in, DWORD inSize, void* out, DWORD outSize,
          DWORD* returned = nullptr)
{
    HANDLE device = CreateFileW(TestDeviceName(driver), GENERIC_READ | GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (device == INVALID_HANDLE_VALUE)
        return false;
    DWORD bytes = 0;
    BOOL ok = DeviceIoControl(device, code, const_cast<void*>(in), inSize, out, outSize, &bytes, nullptr);
    CloseHandle(device);
    if (returned)
        *returned = bytes;
    return ok != FALSE;
}

template <typename Request>
bool CallIn(Driver driver, DWORD code, const Request& request)
{
    return Call(driver, code, &request, sizeof(request), nullptr, 0);
}

std::vector<uint8_t> Record(const STANDIN_DEVICE_STATE& s, DWORD flag, const uint8_t* bytes, size_t size)
{
    if (!(s.Has & flag))
        return {};
    return std::vector<uint8_t>(bytes, bytes + size);
}

EventResult ToEventResult(bool ok, const STANDIN_EVENT_RESULT& result)
{
    EventResult r;
    r.ok = ok;
    if (!ok)
        return r;
    r.calibrationEventSet = (result.Flags & STANDIN_EVENT_CALIBRATION_SET) != 0;
    r.beepEventSet = (result.Flags & STANDIN_EVENT_BEEP_SET) != 0;
    r.oneTouchEnded = (result.Flags & STANDIN_EVENT_ONE_TOUCH_ENDED) != 0;
    if (result.Flags & STANDIN_EVENT_TRAY_GESTURO_SET)
        r.modeEndEvent = L"TRAY_GESTURO";
    else if (result.Flags & STANDIN_EVENT_DIALOG_GESTURO_SET)
        r.modeEndEvent = L"DialogGesturo";
    return r;
}

}  // namespace

bool Running()
{
    STANDIN_INFO info{};
    for (Driver driver : {Driver::Rilo, Driver::Meka}) {
        DWORD bytes = 0;
        if (!Call(driver, STANDIN_IOCTL_GET_INFO, nullptr, 0, &info, sizeof(info), &bytes) ||
            bytes != sizeof(info) || info.Version != STANDIN_PROTOCOL_VERSION)
            return false;
    }
    return true;
}

int64_t TimestampFrequency(Driver driver)
{
    STANDIN_INFO info{};
    DWORD bytes = 0;
    if (!Call(driver, STANDIN_IOCTL_GET_INFO, nullptr, 0, &info, sizeof(info), &bytes) || bytes != sizeof(info))
        return 0;
    return info.TimestampFrequency;
}

bool Reset()
{
    bool rilo = Call(Driver::Rilo, STANDIN_IOCTL_RESET, nullptr, 0, nullptr, 0);
    bool meka = Call(Driver::Meka, STANDIN_IOCTL_RESET, nullptr, 0, nullptr, 0);
    return rilo && meka;
}

bool ClearLog()
{
    bool rilo = Call(Driver::Rilo, STANDIN_IOCTL_CLEAR_LOG, nullptr, 0, nullptr, 0);
    bool meka = Call(Driver::Meka, STANDIN_IOCTL_CLEAR_LOG, nullptr, 0, nullptr, 0);
    return rilo && meka;
}

std::vector<LoggedRequest> ReadLog(Driver driver, bool* overflow)
{
    std::vector<LoggedRequest> log;
    std::vector<uint8_t> buffer(sizeof(STANDIN_LOG_HEADER) + kLogEntriesPerRead * sizeof(STANDIN_LOG_ENTRY));
    STANDIN_READ_LOG_REQUEST request{};
    if (overflow)
        *overflow = false;
    for (;;) {
        DWORD bytes = 0;
        if (!Call(driver, STANDIN_IOCTL_READ_LOG, &request, sizeof(request), buffer.data(),
                  static_cast<DWORD>(buffer.size()), &bytes) || bytes < sizeof(STANDIN_LOG_HEADER))
            break;
        STANDIN_LOG_HEADER header;
        std::memcpy(&header, buffer.data(), sizeof(header));
        if (overflow && header.Overflow)
            *overflow = true;
        for (DWORD i = 0; i < header.Count; i++) {
            STANDIN_LOG_ENTRY e;
            std::memcpy(&e, buffer.data() + sizeof(header) + i * sizeof(e), sizeof(e));
            LoggedRequest r;
            r.driver = driver;
            r.instance = e.Instance;
            r.code = e.Code;
            r.input.assign(e.Input, e.Input + std::min<DWORD>(e.InputSize, STANDIN_LOG_CAPTURE));
            r.inputSize = e.InputSize;
            r.outputSize = e.OutputSize;
            r.status = e.Status;
            r.bytesReturned = e.BytesReturned;
            r.sequence = e.Sequence;
            r.timestamp = e.Timestamp;
            log.push_back(std::move(r));
            request.FromSequence = e.Sequence + 1;
        }
        if (header.Count == 0 || request.FromSequence >= header.NextSequence)
            break;
    }
    return log;
}

std::vector<LoggedRequest> ReadLog(bool* overflow)
{
    bool riloOverflow = false, mekaOverflow = false;
    std::vector<LoggedRequest> log = ReadLog(Driver::Rilo, &riloOverflow);
    std::vector<LoggedRequest> meka = ReadLog(Driver::Meka, &mekaOverflow);
    log.insert(log.end(), meka.begin(), meka.end());
    // Both drivers stamp arrivals with the same system performance counter.
    std::stable_sort(log.begin(), log.end(), [](const LoggedRequest& a, const LoggedRequest& b) {
        if (a.timestamp != b.timestamp)
            return a.timestamp < b.timestamp;
        if (a.driver != b.driver)
            return a.driver == Driver::Rilo;
        return a.sequence < b.sequence;
    });
    if (overflow)
        *overflow = riloOverflow || mekaOverflow;
    return log;
}

DeviceState GetState(Driver driver, unsigned instance)
{
    DeviceState state;
    state.driver = driver;
    state.instance = instance;
    STANDIN_INSTANCE_REQUEST request{instance};
    STANDIN_DEVICE_STATE s{};
    DWORD bytes = 0;
    if (!Call(driver, STANDIN_IOCTL_GET_STATE, &request, sizeof(request), &s, sizeof(s), &bytes) ||
        bytes != sizeof(s) || s.Size != sizeof(s))
        return state;
    state.valid = true;
    state.present = s.Present != 0;
    state.enabled = s.Enabled != 0;
    state.secondaryMode = s.SecondaryMode != 0;
    state.hitOne = s.HitOne != 0;
    state.secondaryEventAddress = s.SecondaryEventAddress;
    state.primaryModeByte = static_cast<uint8_t>(s.PrimaryModeByte);
    state.calibrationEventRegistered = s.CalibrationEventRegistered != 0;
    state.calibrationEventValue = s.CalibrationEventValue;
    state.beepEventRegistered = s.BeepEventRegistered != 0;
    state.beepEventValue = s.BeepEventValue;
    for (size_t i = 0; i < STANDIN_EVENT_NAME_CHARS && s.BeepEventName[i]; i++)
        state.beepEventName.push_back(static_cast<wchar_t>(s.BeepEventName[i]));
    state.hasSegment = (s.Has & STANDIN_HAS_SEGMENT) != 0;
    state.segment = static_cast<uint8_t>(s.Segment);
    state.hasSensitivityMode = (s.Has & STANDIN_HAS_SENSITIVITY_MODE) != 0;
    state.sensitivityMode = static_cast<uint16_t>(s.SensitivityMode);
    state.deleteNotified = s.DeleteNotified != 0;
    state.hasDeletedInstance = (s.Has & STANDIN_HAS_DELETED) != 0;
    state.deletedInstance = static_cast<uint8_t>(s.DeletedInstance);
    state.reinitializeCount = s.ReinitializeCount;
    state.sensitivityContCount = s.SensitivityContCount;
    state.requestCount = s.RequestCount;
    state.stateReplyFixed = s.StateReplyFixed != 0;
    if (state.stateReplyFixed)
        state.stateReply = StateReply{s.StateReply[0], s.StateReply[1], s.StateReply[2]};
    else
        state.stateReply = StateReply{s.Enabled, 0, 0};
    state.calibrationPoint[0] = s.CalibrationPoint[0];
    state.calibrationPoint[1] = s.CalibrationPoint[1];
    state.sensitivity.value = s.SensitivityValue;
    state.sensitivity.step = s.SensitivityStep;
    state.sensitivity.storeFixesWords = s.SensitivityStoreFixesWords != 0;
    state.sensitivity.words.assign(s.SensitivityWords, s.SensitivityWords + STANDIN_SENSITIVITY_WORDS);
    state.packetFilter = Record(s, STANDIN_HAS_PACKET_FILTER, s.PacketFilter, 5);
    state.modeSettings = Record(s, STANDIN_HAS_MODE_SETTINGS, s.ModeSettings, sizeof(s.ModeSettings));
    state.serialSettings = Record(s, STANDIN_HAS_SERIAL, s.SerialSettings, sizeof(s.SerialSettings));
    state.displayOrientation = Record(s, STANDIN_HAS_ORIENTATION, s.DisplayOrientation, sizeof(s.DisplayOrientation));
    state.calibration4 = Record(s, STANDIN_HAS_CAL4, s.Calibration4, sizeof(s.Calibration4));
    state.calibration9 = Record(s, STANDIN_HAS_CAL9, s.Calibration9, sizeof(s.Calibration9));
    state.calibration25 = Record(s, STANDIN_HAS_CAL25, s.Calibration25, sizeof(s.Calibration25));
    state.newDevice = Record(s, STANDIN_HAS_NEW_DEVICE, s.NewDevice, 202);
    return state;
}

bool SetStateReply(Driver driver, unsigned instance, const StateReply& reply)
{
    STANDIN_STATE_REPLY_REQUEST r{instance, 1, reply.state, reply.communicationErrors, reply.synchronisationErrors};
    return CallIn(driver, STANDIN_IOCTL_SET_STATE_REPLY, r);
}

bool SetAutomaticStateReply(Driver driver, unsigned instance)
{
    STANDIN_STATE_REPLY_REQUEST r{instance, 0, 0, 0, 0};
    return CallIn(driver, STANDIN_IOCTL_SET_STATE_REPLY, r);
}

bool SetCalibrationPoint(Driver driver, unsigned instance, int32_t x, int32_t y)
{
    STANDIN_POINT_REQUEST r{instance, x, y};
    return CallIn(driver, STANDIN_IOCTL_SET_CALIBRATION_POINT, r);
}

EventResult InjectTouch(Driver driver, unsigned instance, int32_t x, int32_t y)
{
    STANDIN_POINT_REQUEST r{instance, x, y};
    STANDIN_EVENT_RESULT result{};
    bool ok = Call(driver, STANDIN_IOCTL_INJECT_TOUCH, &r, sizeof(r), &result, sizeof(result));
    return ToEventResult(ok, result);
}

EventResult EndOneTouch(Driver driver, unsigned instance)
{
    STANDIN_INSTANCE_REQUEST r{instance};
    STANDIN_EVENT_RESULT result{};
    bool ok = Call(driver, STANDIN_IOCTL_END_ONE_TOUCH, &r, sizeof(r), &result, sizeof(result));
    return ToEventResult(ok, result);
}

bool Unplug(Driver driver, unsigned instance)
{
    return CallIn(driver, STANDIN_IOCTL_UNPLUG, STANDIN_INSTANCE_REQUEST{instance});
}

bool Replug(Driver driver, unsigned instance)
{
    return CallIn(driver, STANDIN_IOCTL_REPLUG, STANDIN_INSTANCE_REQUEST{instance});
}

bool SetSensitivityReply(Driver driver, unsigned instance, const SensitivityReply& reply)
{
    STANDIN_SENSITIVITY_REQUEST r{};
    r.Instance = instance;
    r.Value = reply.value;
    r.Step = reply.step;
    r.StoreFixesWords = reply.storeFixesWords ? 1 : 0;
    std::copy_n(reply.words.begin(), std::min<size_t>(reply.words.size(), STANDIN_SENSITIVITY_WORDS), r.Words);
    return CallIn(driver, STANDIN_IOCTL_SET_SENSITIVITY, r);
}

bool SetBeepEventName(Driver driver, unsigned instance, const std::wstring& name)
{
    if (name.size() >= STANDIN_EVENT_NAME_CHARS)
        return false;
    STANDIN_EVENT_NAME_REQUEST r{};
    r.Instance = instance;
    std::copy(name.begin(), name.end(), r.Name);
    return CallIn(driver, STANDIN_IOCTL_SET_BEEP_EVENT_NAME, r);
}

bool FailRequests(Driver driver, unsigned instance, DWORD code, LONG status)
{
    STANDIN_FAIL_REQUEST r{instance, code, status};
    return CallIn(driver, STANDIN_IOCTL_FAIL_CODE, r);
}

bool WaitForRequest(Driver driver, unsigned instance, DWORD code, DWORD deadlineMs, LoggedRequest* request)
{
    const DWORD start = GetTickCount();
    for (;;) {
        std::vector<LoggedRequest> found = Select(ReadLog(driver), driver, instance, code);
        if (!found.empty()) {
            if (request)
                *request = found.front();
            return true;
        }
        if (GetTickCount() - start > deadlineMs)
            return false;
        Sleep(10);
    }
}

const wchar_t* DriverName(Driver driver)
{
    return driver == Driver::Rilo ? L"RILO" : L"MEKA";
}

std::wstring DeviceFileName(Driver driver, unsigned instance)
{
    return std::wstring(L"\\\\.\\") + DriverName(driver) + std::to_wstring(instance);
}

std::vector<LoggedRequest> Select(const std::vector<LoggedRequest>& log, Driver driver, unsigned instance, DWORD code)
{
    std::vector<LoggedRequest> out;
    for (const LoggedRequest& r : log)
        if (r.driver == driver && r.instance == instance && (code == 0 || r.code == code))
            out.push_back(r);
    return out;
}

std::string Describe(const LoggedRequest& request)
{
    char head[128];
    std::snprintf(head, sizeof(head), "%s%u 0x%06lX in %lu [", request.driver == Driver::Rilo ? "RILO" : "MEKA",
                  request.instance, static_cast<unsigned long>(request.code),
                  static_cast<unsigned long>(request.inputSize));
    std::string text = head;
    const size_t shown = std::min<size_t>(request.input.size(), 16);
    for (size_t i = 0; i < shown; i++) {
        char byte[4];
        std::snprintf(byte, sizeof(byte), i ? " %02X" : "%02X", request.input[i]);
        text += byte;
    }
    if (request.input.size() > shown)
        text += " ...";
    char tail[96];
    std::snprintf(tail, sizeof(tail), "] out %lu -> 0x%08lX (%lu returned)",
                  static_cast<unsigned long>(request.outputSize), static_cast<unsigned long>(request.status),
                  static_cast<unsigned long>(request.bytesReturned));
    return text + tail;
}

std::string Describe(const std::vector<LoggedRequest>& log)
{
    std::string text;
    for (const LoggedRequest& r : log)
        text += Describe(r) + "\n";
    return text.empty() ? "(no requests)\n" : text;
}

int32_t Int32At(const std::vector<uint8_t>& bytes, size_t index)
{
    if (bytes.size() < (index + 1) * 4)
        return 0;
    const uint8_t* p = bytes.data() + index * 4;
    return static_cast<int32_t>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24));
}

}  // namespace standin
