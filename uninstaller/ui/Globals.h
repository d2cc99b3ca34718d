// The program-wide values that start-up fixes and the windows and runs read.
#pragma once

#include <string>

namespace ruvex::ui {

inline std::wstring DataFolder;    // every data file lies here ("C:" at a drive's root)
inline std::wstring WindowsFolder; // without a trailing backslash
inline std::wstring SystemFolder;  // without a trailing backslash
inline int SystemFolderLength = 0;
inline int StartingUp = 0;          // 1 while start-up loads the main window
inline int VersionWindowMode = 0;   // 1 from the first opening of the version window on
inline int FirstActivation = 0;     // 1 until the first activation has looked for the continue marker
inline double ProgressBarMax = 100; // the maximum every progress bar shares

} // namespace ruvex::ui
