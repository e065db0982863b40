#pragma once
// Client of the simulated serial touch controller that the harness runs behind a COM port
// (standin/serial/serialsim.py, started by tools/wine-env.sh's wine_env_serialsim): choose its
// fault mode and settings, read its state, and read or wait on its log while it runs. The
// simulator's files are in the prefix's C:\serialsim\<port>; requests go through its control
// folder and are answered within a few milliseconds.
#include <windows.h>
#include <map>
#include <string>
#include <vector>

namespace testsupport {

// One line of the simulator's log.
struct SerialSimEntry {
    long long timeMs = 0;   // milliseconds since 1970, the clock of SerialSim::NowMs
    std::string kind;       // "open", "close", "cmd", "reply", "junk", "unread", "drop", "stale", "ctl"
    std::string text;       // unescaped: command name, reply bytes, received junk, request line
};

class SerialSim {
public:
    explicit SerialSim(const std::wstring& port = L"COM2");

    const std::wstring& Port() const { return port_; }
    // C:\serialsim\com2 for COM2.
    std::wstring Folder() const;

    // Sends one request line and waits for the answer. True when the simulator answered "ok";
    // `lines` gets the answer's further lines, `error` the text of an "error" answer (or
    // "no answer" when none came before the deadline).
    bool Request(const std::string& line, std::vector<std::string>* lines = nullptr, std::string* error = nullptr,
                 DWORD deadlineMs = 5000) const;
    bool Running() const;                                     // answers a ping within 2 s
    bool Reset() const;                                       // start state, mode normal, log cleared
    bool ClearLog() const;
    bool SetMode(const std::string& mode, int count = -1) const;   // count: commands it acts on; -1 all
    bool Set(const std::string& name, const std::string& value) const;
    bool Set(const std::string& name, long value) const;
    bool SetValue(long raw) const { return Set("value", raw); }
    bool Touch() const;                                       // answers an "SI" that waits for a touch
    // Puts bytes into the port as a controller's earlier output that nobody read: the next read
    // of the port finds them first (a closed port keeps them for its next opener).
    bool LeaveStale(const std::string& bytes) const;
    // "name value" lines of the state request as a map; empty when the simulator does not answer.
    std::map<std::string, std::string> State() const;

    std::vector<SerialSimEntry> ReadLog() const;
    // Waits until the log holds the `occurrence`-th entry of that kind (and text, unless empty).
    bool WaitForEntry(const std::string& kind, const std::string& text, DWORD deadlineMs,
                      SerialSimEntry* found = nullptr, size_t occurrence = 1) const;
    bool WaitForCommand(const std::string& command, DWORD deadlineMs, SerialSimEntry* found = nullptr,
                        size_t occurrence = 1) const
    {
        return WaitForEntry("cmd", command, deadlineMs, found, occurrence);
    }

    // The entries of one kind, and the command names in arrival order.
    static std::vector<SerialSimEntry> Select(const std::vector<SerialSimEntry>& log, const std::string& kind);
    static std::vector<std::string> Commands(const std::vector<SerialSimEntry>& log);
    // The log as readable lines, for assertion messages.
    static std::string Describe(const std::vector<SerialSimEntry>& log);
    // The log's escapes (\r \n \t \\ \xHH), made and undone.
    static std::string Escape(const std::string& bytes);
    static std::string Unescape(const std::string& text);
    static long long NowMs();

private:
    std::wstring port_;
};

}  // namespace testsupport
