#pragma once
// The pages the run modes show, by their final names. Those not built yet have bodies
// that show nothing (run_modes_pending.cpp); the page work replaces them.

#include "setup/app/exit_codes.h"

namespace glimra::setup {

// The finish page; its result, 1001 for Finish.
int ShowFinishPage();
// The web page after an installation.
void ShowAdvertPage();
// The interruption page: the installation was cancelled or failed.
void ShowInterruptionPage();
// The maintenance flow's pages for an installed product (repair or removal), from the
// maintenance page on.
ExitCode RunMaintenancePages();

} // namespace glimra::setup
