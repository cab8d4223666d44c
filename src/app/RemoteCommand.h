#pragma once

#include "app/CommandIO.h"

namespace tessel {

// Subcommands that ask the running Tessel over the session bus. Each takes the whole argument
// list, its own name first. Need a QCoreApplication.
int runSwitchCommand(const QStringList& arguments, const CommandIO& io);      // on | off
int runSnoozeCommand(const QStringList& arguments, const CommandIO& io);      // snooze MINUTES
int runResumeCommand(const QStringList& arguments, const CommandIO& io);      // resume
int runFocusFilterCommand(const QStringList& arguments, const CommandIO& io); // focus-filter
int runStatusCommand(const QStringList& arguments, const CommandIO& io);      // status
int runMomentCommand(const QStringList& arguments, const CommandIO& io);      // rest | art
// paper list, read from the stored settings; paper ID [--gsm N], sent to the running Tessel.
int runPaperCommand(const QStringList& arguments, const CommandIO& io);

} // namespace tessel
