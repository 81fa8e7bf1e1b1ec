// The rules of the button layers palette that need no screen: the chain table that
// makes buttons move together, the visibility conditions tried against a window
// configuration, the texts of a button row, and swapping two buttons' sections.
#pragma once

#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace sw {

class TUisFile;

// Which buttons belong to which button's chain: row r holds the members of button
// r's chain. All members of a chain carry identical rows.
class ChainTable {
public:
    explicit ChainTable(int count = 0);
    int Count() const { return count_; }
    bool Marked(int row, int column) const;
    // Whether `row` belongs to the chain of `current`.
    bool InChain(int row, int current) const { return Marked(current, row); }
    // The members of `current`'s chain, itself included once it is chained.
    std::vector<int> Members(int current) const;

    // Adds `button` to the chain of `current`, or takes it out (the opposite of its
    // present mark unless forced in).
    void GroupCurrentButtonWith(int current, int button, bool force);
    // A new last button, in no chain.
    void AddButton();
    // Button k is gone: those after it move down by one.
    void DeleteButton(int k);
    // Buttons a and b trade places (their chains go with them).
    void SwapButtons(int a, int b);

private:
    void set(int row, int column, bool mark);
    int count_ = 0;
    std::vector<char> cells_;  // count_ x count_, row-major
};

// The order in which "group all with the same alignment" forces buttons into the
// chain of `current`: those after it from the last down, then those before it from
// the first up.
std::vector<int> chainAlignedOrder(int current, int count);

// Which way a larger XCoord and YCoord move a button of that Align on the window: +1
// right (down), -1 left (up, for the coordinates measured from the right or bottom edge).
struct AlignDirections {
    int x = 1, y = 1;
};
AlignDirections alignDirections(int align);

// Button `moved` had (dx, dy) added to its XCoord and YCoord: every other member moves
// the same distance on the window, its coordinates changed by the same amounts or the
// opposite ones as its own Align measures them. Returns whether anything was written.
bool shiftChainedButtons(TUisFile& document, const std::vector<int>& members, int moved, int dx, int dy);

// The window a button's visibility conditions are tried against.
struct VisibilityOptions {
    int WindowStyle = 0;  // 0 "Normal Window", 1 "MDI Window"
    int Sizing = 0;       // 0 "Sizable window", 1 "Not sizable window"
    int Ordering = 0;     // 0 "Normal", 1 "Always on top", 2 "Attached to desktop"
    bool MinButton = false;
    bool MaxButton = false;
    bool HelpButton = false;
    bool TitleText = false;
    bool SystemIcon = false;
    bool RolledUp = false;
};

// The values of Visibility and Visibility1 to Visibility9 that a button has.
std::set<int> buttonConditions(TUisFile& document, int button);

struct ButtonVisibility {
    bool Active = false;    // on the main (active) preview
    bool Inactive = false;  // on the second (inactive) preview
};
ButtonVisibility applyVisibility(const std::set<int>& conditions, const VisibilityOptions& options);

// Which options of the page can matter for this personality.
struct VisibilityEnabling {
    bool TitleText = true;
    bool Ordering = false;
    bool SystemIcon = false;
    bool RolledUp = false;
};
VisibilityEnabling visibilityEnabling(TUisFile& document, const VisibilityOptions& options);

// "Close", "Aligned Right" ...: the texts of a button's row.
std::string buttonActionText(TUisFile& document, int button);
std::string buttonAlignmentText(TUisFile& document, int button);

// The document text with the sections of buttons a and b trading names, so each
// button's keys take the other's place in the stacking order. Header lines are matched
// without regard to case; everything else stays byte for byte.
std::string swapButtonSections(std::string_view text, int a, int b);

}  // namespace sw
