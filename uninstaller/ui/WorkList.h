// A working list (List1 to List3): the entries are data, the list box is their view. Reading past the
// end gives empty text; the list box holds the same entries, so LB_GETCOUNT and LB_GETTEXT answer for it.
#pragma once

#include "uninstaller/monitor/snapshot.h"

#include <windows.h>

#include <algorithm>

#include <string>
#include <vector>

namespace ruvex::ui {

class WorkList {
public:
    // As many entries as a walk may find.
    static constexpr std::size_t MaxEntries = MaxListEntries;

    void Attach(HWND listBox) noexcept { view_ = listBox; }
    [[nodiscard]] HWND view() const noexcept { return view_; }

    [[nodiscard]] std::size_t Count() const noexcept { return items_.size() + viewOnly_; }
    [[nodiscard]] const std::wstring& Item(std::size_t index) const;
    [[nodiscard]] const std::vector<std::wstring>& Items() const;
    // Appends; false when the list is full. Repaints at most every 40 ms while entries pour in.
    bool Add(const std::wstring& text);
    // Replaces every entry at once, painting once.
    void Assign(const std::vector<std::wstring>& items);
    void Clear();
    // Appends the entries of from that lie past this list's count (a run's data shown as it grows),
    // the newest entry selected when the list is next painted (Flush, FlushIfDue). With a view they are kept
    // by the list box alone: a walk of a million files would otherwise hold each path three times.
    void Extend(const std::vector<std::wstring>& from);
    // Selects the first entry, if there is one.
    void SelectFirst();
    // Paints what Add held back.
    void Flush();
    // Paints what Add held back once the paint interval has passed since the last paint.
    void FlushIfDue();

    // The selected entry of a single-selection list (-1: none), and its text (empty: none).
    [[nodiscard]] int ListIndex() const noexcept;
    [[nodiscard]] std::wstring SelectedText() const;
    // The selected entries of a multiple-selection list, in list order.
    [[nodiscard]] std::vector<std::size_t> SelectedIndexes() const;

private:
    void SetRedraw(bool on);
    void Select(std::size_t index);

    HWND view_ = nullptr;
    // The entries: the first ones here, the viewOnly_ after them in the list box alone (read back on demand).
    mutable std::vector<std::wstring> items_;
    mutable std::size_t viewOnly_ = 0;
    mutable std::wstring read_;
    bool held_ = false;
    bool selectNewest_ = false;
    DWORD lastPaint_ = 0;
};

} // namespace ruvex::ui
