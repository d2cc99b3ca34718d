// A scripted host for the setup program's runs: folders under a temporary folder, boxes recorded.
#pragma once

#include "setup/main/SetupHost.h"
#include "support/TempFolder.h"

#include <string>
#include <vector>

class SetupTestHost : public setup::SetupHost {
public:
    SetupTestHost() {
        for (const wchar_t* name : {L"Program Files", L"Programs", L"Startup", L"Desktop", L"SendTo"}) {
            CreateDirectoryW((root / name).c_str(), nullptr);
        }
    }
    std::wstring ProgramFilesDir() override { return root / L"Program Files"; }
    std::wstring ShellFolderPath(setup::ShellFolder which) override {
        switch (which) {
        case setup::ShellFolder::Programs:
            return root / L"Programs";
        case setup::ShellFolder::Startup:
            return root / L"Startup";
        case setup::ShellFolder::Desktop:
            return root / L"Desktop";
        case setup::ShellFolder::SendTo:
            break;
        }
        return root / L"SendTo";
    }
    void Warning(const std::wstring& text) override { warnings.push_back(text); }
    void Error(const std::wstring& text) override { errors.push_back(text); }
    void CloseWindow() override { ++closeRequests; }

    testsupport::TempFolder root{L"host"};
    std::vector<std::wstring> warnings;
    std::vector<std::wstring> errors;
    int closeRequests = 0;
};
