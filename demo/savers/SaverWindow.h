#pragma once
// Runs a demo saver: its window in full screen or preview, or its settings.
#include "demo/savers/SaverArgs.h"
#include "demo/savers/SaverScene.h"

#include <string>

namespace lum::demo {

// The whole saver program: reads the command line and does what it asks.
int RunSaver(const SaverDefinition& saver, const std::wstring& commandLine);

// Shows the saver's window (FullScreen, or Preview as a child of `parent`
// sized to it) and runs messages until that window is gone.
int RunSaverWindow(const SaverDefinition& saver, SaverRun run, HWND parent);

// The settings dialog; true when the user accepted (and the values were saved).
bool ShowSettingsDialog(const SaverDefinition& saver, HWND owner);

} // namespace lum::demo
