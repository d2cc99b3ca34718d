// One native progress bar ("msctls_progress32") inside a host window. Every bar shares one maximum,
// ProgressBarMax: a run sets it once and then gives positions to whichever bar it drives.
#pragma once

#include <windows.h>

#include <optional>

namespace ruvex::ui {

class CProgBar32 {
public:
    CProgBar32();
    ~CProgBar32();
    CProgBar32(const CProgBar32&) = delete;
    CProgBar32& operator=(const CProgBar32&) = delete;

    // The value that counts as 100 % (the shared ProgressBarMax).
    [[nodiscard]] static double Max() noexcept;
    static void SetMax(double max) noexcept;

    // Creates and shows the bar; a missing width or height fills the host. Positions in pixels.
    bool Create(std::optional<int> left = {}, std::optional<int> top = {}, std::optional<int> width = {},
                std::optional<int> height = {}, bool smooth = false);
    void DestroyProgBar() noexcept;
    void ClearProgBar() noexcept;
    // floor(pos / Max * 100) %; nothing happens while Max is not above 0.
    void SetProgBarPos(double pos) noexcept;
    // While paced (during a walk), the bar takes every position at once but paints at most every 40 ms;
    // FlushIfDue paints what was held back once that time has passed, and leaving the pace paints it now.
    void SetPaced(bool paced) noexcept;
    void FlushIfDue() noexcept;
    void Flush() noexcept;
    // Lets pending messages be processed, sleeps, and lets them be processed again.
    static void DelayProgBar(unsigned short milliseconds);

    [[nodiscard]] HWND ProgBarHwnd() const noexcept { return hwnd_; }
    [[nodiscard]] HWND Parent() const noexcept { return parent_; }
    void SetParent(HWND host) noexcept { parent_ = host; }
    [[nodiscard]] bool ProgVert() const noexcept { return vertical_; }
    // Takes effect at the next Create.
    void SetProgVert(bool vertical) noexcept;
    // A host window handle that takes precedence over Parent.
    [[nodiscard]] HWND SethWndParent() const noexcept { return hwndParent_; }
    void SetSethWndParent(HWND host) noexcept { hwndParent_ = host; }

    // The whole percentage that a position shows; nullopt while the maximum is not above 0.
    [[nodiscard]] static std::optional<int> Percent(double pos, double max) noexcept;

private:
    DWORD orientation_ = 0;
    HWND hwnd_ = nullptr;
    bool vertical_ = false;
    HWND parent_ = nullptr;
    HWND hwndParent_ = nullptr;
    bool paced_ = false;
    bool held_ = false; // a position not yet given to the control
    int pending_ = 0;
    DWORD lastPaint_ = 0;
};

// Paces a bar's painting for the life of the object.
class PacedPainting {
public:
    explicit PacedPainting(CProgBar32& bar) noexcept : bar_(bar) { bar_.SetPaced(true); }
    ~PacedPainting() { End(); }
    void End() noexcept { bar_.SetPaced(false); }
    PacedPainting(const PacedPainting&) = delete;
    PacedPainting& operator=(const PacedPainting&) = delete;

private:
    CProgBar32& bar_;
};

} // namespace ruvex::ui
