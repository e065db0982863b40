// standin-ctl: drives the stand-in RILO and MEKA drivers from scripts and by hand.
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "StandinClient.h"

namespace {

const char kUsage[] =
    "usage: standin-ctl COMMAND [ARGS]\n"
    "  start BIN-DIR          stop, copy rilo.sys and meka.sys to System32\\drivers, register, start\n"
    "  stop                   stop both services\n"
    "  uninstall              stop and delete both services\n"
    "  status                 whether the services are registered and the stand-ins answer\n"
    "  log                    every request since the last clear, in arrival order\n"
    "  clear                  clear the log\n"
    "  reset                  every device to its start state and plugged, log cleared\n"
    "  state DEV              a device's state (DEV is RILO0, RILO1.., MEKA1..)\n"
    "  touch DEV X Y          a touch with raw point X,Y\n"
    "  end-one-touch DEV      end a one-touch secondary mode\n"
    "  unplug DEV | replug DEV\n"
    "  state-reply DEV STATE COMM SYNC   fixed IOCTL_DEVICE_STATE reply\n"
    "  beep-name DEV NAME     the event a touch sets after IOCTL_BEEP_EVENT\n"
    "  fail DEV CODE STATUS   complete CODE with STATUS (hex); STATUS 0 stops\n";

bool ParseDevice(const wchar_t* text, standin::Driver& driver, unsigned& instance)
{
    if (_wcsnicmp(text, L"RILO", 4) == 0)
        driver = standin::Driver::Rilo;
    else if (_wcsnicmp(text, L"MEKA", 4) == 0)
        driver = standin::Driver::Meka;
    else
        return false;
    wchar_t* end = nullptr;
    unsigned long n = wcstoul(text + 4, &end, 10);
    if (end == text + 4 || *end != 0 || n > standin::kMaxInstance)
        return false;
    instance = static_cast<unsigned>(n);
    return true;
}

void PrintBytes(const char* label, const std::vector<uint8_t>& bytes)
{
    if (bytes.empty())
        return;
    std::printf("  %s (%u bytes):", label, static_cast<unsigned>(bytes.size()));
    for (size_t i = 0; i < bytes.size(); i++)
        std::printf(i % 32 == 0 ? "\n    %02X" : " %02X", bytes[i]);
    std::printf("\n");
}

int ShowState(standin::Driver driver, unsigned instance)
{
    standin::DeviceState s = standin::GetState(driver, instance);
    if (!s.valid) {
        std::fprintf(stderr, "standin-ctl: no state for that device\n");
        return 1;
    }
    std::printf("%ls%u: %s, %s, %s mode%s\n", standin::DriverName(driver), instance,
                s.present ? "plugged" : "unplugged", s.enabled ? "enabled" : "disabled",
                s.secondaryMode ? "secondary" : "primary", s.hitOne ? " (one touch)" : "");
    std::printf("  requests %u, reinitialised %u, calibration event %s, beep event %s \"%ls\"\n", s.requestCount,
                s.reinitializeCount, s.calibrationEventRegistered ? "registered" : "none",
                s.beepEventRegistered ? "registered" : "none", s.beepEventName.c_str());
    std::printf("  state reply %lu %lu %lu%s, calibration point %d %d, sensitivity %u step %u\n",
                static_cast<unsigned long>(s.stateReply.state),
                static_cast<unsigned long>(s.stateReply.communicationErrors),
                static_cast<unsigned long>(s.stateReply.synchronisationErrors), s.stateReplyFixed ? " (fixed)" : "",
                static_cast<int>(s.calibrationPoint[0]), static_cast<int>(s.calibrationPoint[1]),
                s.sensitivity.value, s.sensitivity.step);
    if (s.hasSegment)
        std::printf("  segment %u\n", s.segment);
    if (s.hasDeletedInstance)
        std::printf("  last delete notice for instance %u\n", s.deletedInstance);
    PrintBytes("packet filter", s.packetFilter);
    PrintBytes("mode settings", s.modeSettings);
    PrintBytes("serial settings", s.serialSettings);
    PrintBytes("display orientation", s.displayOrientation);
    PrintBytes("4-point calibration", s.calibration4);
    PrintBytes("9-point calibration", s.calibration9);
    PrintBytes("25-point calibration", s.calibration25);
    PrintBytes("new device notice", s.newDevice);
    return 0;
}

int ShowEvents(const standin::EventResult& r)
{
    if (!r.ok) {
        std::fprintf(stderr, "standin-ctl: refused\n");
        return 1;
    }
    std::printf("calibration event %s, beep event %s, one-touch mode %s%ls\n", r.calibrationEventSet ? "set" : "not set",
                r.beepEventSet ? "set" : "not set", r.oneTouchEnded ? "ended, set " : "not ended",
                r.modeEndEvent.c_str());
    return 0;
}

int Done(bool ok)
{
    if (!ok)
        std::fprintf(stderr, "standin-ctl: failed\n");
    return ok ? 0 : 1;
}

int Run(int argc, wchar_t** argv)
{
    if (argc < 2)
        return -1;
    const std::wstring command = argv[1];
    std::wstring error;
    if (command == L"start" && argc == 3) {
        if (!standin::InstallAndStart(argv[2], &error)) {
            std::fprintf(stderr, "standin-ctl: %ls\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if ((command == L"stop" || command == L"uninstall") && argc == 2) {
        bool ok = command == L"stop" ? standin::Stop(&error) : standin::Uninstall(&error);
        if (!ok)
            std::fprintf(stderr, "standin-ctl: %ls\n", error.c_str());
        return ok ? 0 : 1;
    }
    if (command == L"status" && argc == 2) {
        bool installed = standin::Installed(), running = standin::Running();
        std::printf("installed: %s\nrunning: %s\n", installed ? "yes" : "no", running ? "yes" : "no");
        return installed && running ? 0 : 1;
    }
    if (command == L"log" && argc == 2) {
        bool overflow = false;
        std::printf("%s", standin::Describe(standin::ReadLog(&overflow)).c_str());
        if (overflow)
            std::printf("(older requests were dropped)\n");
        return 0;
    }
    if (command == L"clear" && argc == 2)
        return Done(standin::ClearLog());
    if (command == L"reset" && argc == 2)
        return Done(standin::Reset());

    standin::Driver driver;
    unsigned instance = 0;
    if (argc < 3 || !ParseDevice(argv[2], driver, instance))
        return -1;
    if (command == L"state" && argc == 3)
        return ShowState(driver, instance);
    if (command == L"touch" && argc == 5)
        return ShowEvents(standin::InjectTouch(driver, instance, _wtoi(argv[3]), _wtoi(argv[4])));
    if (command == L"end-one-touch" && argc == 3)
        return ShowEvents(standin::EndOneTouch(driver, instance));
    if (command == L"unplug" && argc == 3)
        return Done(standin::Unplug(driver, instance));
    if (command == L"replug" && argc == 3)
        return Done(standin::Replug(driver, instance));
    if (command == L"state-reply" && argc == 6) {
        standin::StateReply reply{wcstoul(argv[3], nullptr, 0), wcstoul(argv[4], nullptr, 0),
                                  wcstoul(argv[5], nullptr, 0)};
        return Done(standin::SetStateReply(driver, instance, reply));
    }
    if (command == L"beep-name" && argc == 4)
        return Done(standin::SetBeepEventName(driver, instance, argv[3]));
    if (command == L"fail" && argc == 5)
        return Done(standin::FailRequests(driver, instance, wcstoul(argv[3], nullptr, 16),
                                          static_cast<LONG>(wcstoul(argv[4], nullptr, 16))));
    return -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    int rc = Run(argc, argv);
    if (rc < 0) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    return rc;
}
