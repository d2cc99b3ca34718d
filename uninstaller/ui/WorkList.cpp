#include "uninstaller/ui/WorkList.h"

namespace ruvex::ui {

namespace {

const std::wstring kEmpty;

// Painting a list box per entry costs milliseconds; a screen shows no more than this anyway.
constexpr DWORD kPaintInterval = 40;

} // namespace

// The text of an entry that the list box alone holds.
static std::wstring ViewText(HWND view, std::size_t index) {
    const LRESULT length = SendMessageW(view, LB_GETTEXTLEN, index, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(view, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

const std::wstring& WorkList::Item(std::size_t index) const {
    if (index < items_.size()) {
        return items_[index];
    }
    if (index >= Count()) {
        return kEmpty;
    }
    read_ = ViewText(view_, index);
    return read_;
}

const std::vector<std::wstring>& WorkList::Items() const {
    for (; viewOnly_ > 0; --viewOnly_) {
        items_.push_back(ViewText(view_, items_.size()));
    }
    return items_;
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
    if (Count() >= MaxEntries) {
        return false;
    }
    (void)Items(); // in order after what only the list box holds
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
            Select(Count() - 1);
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
    viewOnly_ = 0;
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
    const std::size_t before = Count();
    const std::size_t end = std::min(from.size(), MaxEntries);
    if (end <= before) {
        return; // nothing new, or full: the newest entry it can hold is selected already
    }
    if (!view_) {
        items_.insert(items_.end(), from.begin() + static_cast<std::ptrdiff_t>(before),
                      from.begin() + static_cast<std::ptrdiff_t>(end));
        return;
    }
    if (!held_) {
        SetRedraw(false);
        held_ = true;
    }
    for (std::size_t i = before; i < end; ++i) {
        if (SendMessageW(view_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(from[i].c_str())) < 0) {
            break; // the list box has no room left: it shows what it holds
        }
        ++viewOnly_;
    }
    // Selected when the list is next painted: a selection that moves scrolls and repaints the list box even
    // with its redraw off, which at every stop point made the list paint a hundred times a second.
    selectNewest_ = Count() > before;
}

void WorkList::SelectFirst() {
    if (Count() > 0) {
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
    for (std::size_t i = 0; view_ && i < Count(); ++i) {
        if (SendMessageW(view_, LB_GETSEL, i, 0) > 0) {
            selected.push_back(i);
        }
    }
    return selected;
}

} // namespace ruvex::ui
