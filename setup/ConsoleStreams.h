#pragma once
// Binds the runtime's standard streams for the setup's messages. A parent that wants them
// creates three named pipes before it starts the setup, named by the setup's process id:
// "\\.\pipe\<pid>cout", "\\.\pipe\<pid>cin" and "\\.\pipe\<pid>cerr". Without those pipes and
// with `allowConsole`, a console of its own is opened instead.
namespace setup {

// True when the streams were bound to the pipes or to a new console.
bool AttachConsoleStreams(bool allowConsole);

}  // namespace setup
