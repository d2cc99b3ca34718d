#include "uninstaller/ui/WorkList.h"

namespace ruvex::ui {

namespace {

const std::wstring kEmpty;

// Painting a list box per entry costs milliseconds; a screen shows no more than this anyway.
constexpr DWORD kPaintInterval = 40;

} // namespace

const std::wstring& WorkList::Item(std::size_t index) const noexcept {
    return index < items_.size() ? items_[index] : kEmpty;
}

void WorkList::SetRedraw(bool on) {
    if (!view_) {
        return;
    }
    SendMessageW(view_, WM_SETREDRAW, on ? TRUE : FALSE, 0);
    if (on) {
        InvalidateRect(view_, nullptr, TRUE);
        lastPaint_ = GetTickCount();
    }
}

bool WorkList::Add(const std::wstring& text) {
    if (items_.size() >= MaxEntries) {
        return false;
    }
    items_.push_back(text);
    if (!view_) {
        return true;
    }
    if (!held_) {
        SetRedraw(false);
        held_ = true;
    }
    SendMessageW(view_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    FlushIfDue();
    return true;
}

void WorkList::FlushIfDue() {
    if (held_ && GetTickCount() - lastPaint_ >= kPaintInterval) {
        Flush();
    }
}

void WorkList::Flush() {
    if (held_) {
        held_ = false;
        if (selectNewest_) {
            selectNewest_ = false;
            Select(items_.size() - 1);
        }
        SetRedraw(true);
        UpdateWindow(view_);
    }
}

void WorkList::Assign(const std::vector<std::wstring>& items) {
    Clear();
    items_.assign(items.begin(), items.begin() + static_cast<std::ptrdiff_t>(std::min(items.size(), MaxEntries)));
    if (!view_) {
        return;
    }
    SetRedraw(false);
    for (const auto& text : items_) {
        SendMessageW(view_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SetRedraw(true);
    held_ = false;
    selectNewest_ = false;
}

void WorkList::Clear() {
    items_.clear();
    selectNewest_ = false;
    if (view_) {
        SendMessageW(view_, LB_RESETCONTENT, 0, 0);
        // An emptied list shows at once, also when a run left it held.
        if (held_) {
            held_ = false;
            SetRedraw(true);
        }
    }
}

void WorkList::Extend(const std::vector<std::wstring>& from) {
    if (from.size() <= items_.size()) {
        return;
    }
    const std::size_t before = items_.size();
    for (std::size_t i = items_.size(); i < from.size() && Add(from[i]); ++i) {
    }
    if (items_.size() == before) {
        return; // full: the newest entry it can hold is selected already
    }
    // Selected when the list is next painted: a selection that moves scrolls and repaints the list box even
    // with its redraw off, which at every stop point made the list paint a hundred times a second.
    if (view_ && !held_) {
        SetRedraw(false);
        held_ = true;
    }
    selectNewest_ = true;
}

void WorkList::SelectFirst() {
    if (!items_.empty()) {
        Select(0);
    }
}

void WorkList::Select(std::size_t index) {
    if (!view_) {
        return;
    }
    if (GetWindowLongPtrW(view_, GWL_STYLE) & (LBS_EXTENDEDSEL | LBS_MULTIPLESEL)) {
        SendMessageW(view_, LB_SETCARETINDEX, index, FALSE);
    } else {
        SendMessageW(view_, LB_SETCURSEL, index, 0);
    }
}

int WorkList::ListIndex() const noexcept {
    return view_ ? static_cast<int>(SendMessageW(view_, LB_GETCURSEL, 0, 0)) : -1;
}

std::wstring WorkList::SelectedText() const {
    int index = ListIndex();
    return index < 0 ? std::wstring() : Item(static_cast<std::size_t>(index));
}

std::vector<std::size_t> WorkList::SelectedIndexes() const {
    std::vector<std::size_t> selected;
    for (std::size_t i = 0; view_ && i < items_.size(); ++i) {
        if (SendMessageW(view_, LB_GETSEL, i, 0) > 0) {
            selected.push_back(i);
        }
    }
    return selected;
}

} // namespace ruvex::ui
