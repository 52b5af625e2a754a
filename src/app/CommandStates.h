#pragma once

class TLabelControl;

// Which commands the selection allows; none selected is a null control, several selected are
// the first of them. The commands on the selection (stacking, clipboard, duplicate, delete) act
// on every selected control.
struct TCommandStates {
    bool Stacking = false; // bring to front, send to back
    bool Rotate = false;   // 90, 180 and 270 degrees
    bool AutoSize = false;
    bool Transparent = false;
    bool EditText = false;    // "Edit Memo Text"
    bool Image = false;       // import image, maintain aspect ratio
    bool Alignment = false;   // the six alignment commands
    bool RotateFocus = false; // the label holds a control
    bool SelectAll = false;   // likewise
    bool Duplicate = false;   // something is selected
    bool SelectFont = false;
    bool TextBox = false;    // eText
    bool EditFields = false; // the advanced field editor
};

TCommandStates CommandStatesFor(const TLabelControl* selection, bool labelHasControls);
