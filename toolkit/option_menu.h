// A menu of titles. A left click opens a popup listing the entries in columns with the
// current one ticked; choosing one makes it current and reports it.
#pragma once

#include "toolkit/frame.h"
#include "toolkit/param_display.h"

#include <string>
#include <vector>

namespace orv {

class COptionMenu : public CParamDisplay {
public:
    COptionMenu(const CRect& size, CControlListener* listener, int32_t tag,
                std::shared_ptr<CBitmap> background = nullptr, int32_t style = 0);

    // UI thread. Entries are numbered from 0 in the order added.
    int32_t addEntry(std::string_view title);
    bool setEntry(int32_t index, std::string_view title);
    void removeAllEntry();
    int32_t getNbEntries() const noexcept { return static_cast<int32_t>(entries.size()); }
    // Empty for an index out of range.
    const std::string& getEntry(int32_t index) const;

    // The value is the index of the current entry.
    bool setCurrent(int32_t index);
    int32_t getCurrentIndex() const noexcept;
    const std::string& getCurrentTitle() const { return getEntry(getCurrentIndex()); }

    // Rows per column of the popup; 0 puts every entry in one column.
    void setNbItemsPerColumn(int32_t rows) noexcept { itemsPerColumn = rows; }
    int32_t getNbItemsPerColumn() const noexcept { return itemsPerColumn; }

    // UI thread: what the popup calls when the user picks index.
    void selectEntry(int32_t index);

    void draw(CDrawContext& context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;

private:
    std::vector<std::string> entries;
    int32_t itemsPerColumn = 0;
};

// The open list of a COptionMenu, placed below the menu (above it when there is no room)
// inside the frame.
class COptionMenuPopup : public CPopupView {
public:
    COptionMenuPopup(COptionMenu& menu, const CRect& frameSize);

    // Where entry index sits, in window coordinates; empty for an index out of range.
    CRect entryRect(int32_t index) const;
    int32_t entryAt(const CPoint& where) const;
    int32_t getHoverIndex() const noexcept { return hover; }
    int32_t getNbColumns() const noexcept { return columns; }
    int32_t getNbRows() const noexcept { return rows; }

    void draw(CDrawContext& context) override;
    // A left click on an entry chooses it; any other click closes without a choice.
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    // Up and down move the highlight, Return chooses it, Escape closes.
    int32_t onKeyDown(const VstKeyCode& key) override;

private:
    void setHover(int32_t index);

    COptionMenu& menu;
    int32_t rows = 1;
    int32_t columns = 1;
    CCoord columnWidth = 0;
    int32_t hover = -1;
};

}  // namespace orv
