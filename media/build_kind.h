// Every build of boot media behind one entry, for the front ends (the
// window and the command line): which builds there are, what each is
// called while it runs, and running one as long work.
#pragma once

#include <string>

#include "bootdisk/build_request.h"
#include "work/outcome.h"
#include "work/progress.h"

enum class BuildKind {
  kNet,      // <target>\NET\ for one card
  kUsb,      // <target>\BootDisk\ for one card
  kImage,    // <target>\BootDisk.img for one card
  kNetboot,  // <target>\netboot\ for every card
  kUniversalUsb,    // <target>\BootDisk\ with every card, the PC picking its own at boot
  kUniversalImage,  // <target>\BootDisk.img with every card
};

// The title of the progress window while it runs ("正在创建NET目录" …).
std::string ProgressTitleOf(BuildKind kind);

// What the build writes for the target the user gave: <target>\NET,
// <target>\BootDisk, <target>\BootDisk.img or <target>\netboot, as a full
// path (BuildOutputOf).
std::string BuildOutputPathOf(BuildKind kind, const std::string& targetPath);

// "" when the build may go on to ask for its target; otherwise why not (a
// build of every card with no card in the library).
std::string RefusalBeforeTarget(BuildKind kind, const CardList& cards);

// Runs the build with the client's identity as Tovrell.ini beside the
// program sets it (a file that cannot be read refuses the build, as does
// RefusalBeforeTarget), noting
// what arises in `*outcome` as it arises: a refusal, failures, Cancel, or
// its success.
void RunBuild(BuildKind kind, const BuildRequest& request, Progress& progress, Outcome* outcome);

// Notes that the build let an exception out (`failure`, FailureOf), caught
// at the edge of the thread it ran on: one failure saying why, and what is
// left (the build's own clean-up has run as the exception unwound it).
void NoteFailedBuild(BuildKind kind, const BuildRequest& request, const std::string& failure, Outcome* outcome);
