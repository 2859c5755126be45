#pragma once
// Which pane of the main window holds the keyboard focus, as the front end
// reports it: the commands on "the current item" pick their item by it.

namespace kelo {

enum class FocusedPane {
    None,         // a window outside the panes, or none
    CategoryTree, // the tree control of the category pane
    ResultList,   // the list control of the result list pane
    Browser,      // the browser pane or a window inside it
    ButtonBar,    // the button bar or one of its buttons
};

} // namespace kelo
