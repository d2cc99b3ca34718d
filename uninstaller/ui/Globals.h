// The program-wide values that start-up fixes and the windows and runs read.
#pragma once

#include <string>

namespace ruvex::ui {

inline std::wstring DataFolder;        // every data file lies here ("C:" at a drive's root)
inline std::wstring WindowsFolder;     // without a trailing backslash
inline std::wstring SystemFolder;      // without a trailing backslash
inline bool StartingUp = false;        // while start-up loads the main window
inline bool VersionWindowMode = false; // from the first opening of the version window on
inline bool FirstActivation = false;   // until the first activation has looked for the continue marker
inline double ProgressBarMax = 100;    // the maximum every progress bar shares

} // namespace ruvex::ui
