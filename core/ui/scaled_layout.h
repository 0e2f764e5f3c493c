// Windows and dialogs are written in pixels at 96 dpi and shown at the desktop's scale.
//
// How a window is scaled:
//  - Build its widget tree from the 96-dpi constants as usual, then, as the last step of its
//    constructor (after end(), before it is first shown), call ScaleWidgetTree(*this). That
//    multiplies every position, size, label size and text size of the tree by the process's
//    factor, exactly once; a reused dialog is built once, so it is scaled once.
//  - Code that computes positions later (resize(), panels laid out from the window's size,
//    widgets added after construction, size_range(), fl_font() in draw()) uses vx::Scaled()
//    from platform/ui_scale.h directly.
//  - Pictures keep their own pixels: bitmaps are drawn one picture pixel per screen pixel, and
//    what is drawn into pictures keeps its sizes in picture pixels.
// ScaleToolkit() runs at start-up, before any window is made.
#pragma once

class Fl_Widget;

namespace vx::ui {

// The toolkit's own sizes: scroll bars, tooltips, the message boxes' texts and buttons.
// Sets them outright, so calling it again changes nothing.
void ScaleToolkit();

// Scales a tree built from 96-dpi constants once. A window keeps its screen position and its
// children scale from its corner; any other root keeps its position and scales from there.
void ScaleWidgetTree(Fl_Widget& root);

}  // namespace vx::ui
