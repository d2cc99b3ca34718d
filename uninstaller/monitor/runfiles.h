// The files of a monitored installation in the data folder: written by the preparation, read by the
// inspection, kept for a resume.
#pragma once

#include <string>

namespace ruvex::runfiles {

inline constexpr const wchar_t* Continue = L"continue"; // present while an inspection is pending
inline constexpr const wchar_t* DirBefore = L"dir_bf.dat";
inline constexpr const wchar_t* FileBefore = L"file_bf.dat";
inline constexpr const wchar_t* DirAfter = L"dir_af.dat";
inline constexpr const wchar_t* FileAfter = L"file_af.dat";
inline constexpr const wchar_t* NewDir = L"newdir.dat";
inline constexpr const wchar_t* RegBefore = L"reg_bf.dat"; // the registry snapshots
inline constexpr const wchar_t* RegAfter = L"reg_af.dat";
inline constexpr const wchar_t* WinTmp = L"win.tmp";

// Whether a file name is one of these: they change during every run and belong to no software.
[[nodiscard]] bool IsRunFile(const std::wstring& name);

// Nothing is pending any more: the marker goes, and the registry snapshots with it (the drive snapshots stay,
// as they always have).
void EndPendingRun(const std::wstring& dataFolder);

} // namespace ruvex::runfiles
