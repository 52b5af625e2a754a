#include "app/CommandStates.h"

#include "document/KindRegistry.h"

TCommandStates CommandStatesFor(const TLabelControl* s, bool labelHasControls) {
    TCommandStates st;
    st.RotateFocus = labelHasControls;
    st.SelectAll = labelHasControls;
    st.SelectFont = !s || KindTraits(s->Kind()).HasFont;
    if (!s)
        return st;
    const TKindTraits& k = KindTraits(s->Kind());
    st.Stacking = true;
    st.Duplicate = true;
    st.Rotate = k.Rotates;
    st.AutoSize = k.AutoSizes;
    st.Transparent = k.MayBeTransparent;
    st.EditText = k.MultiLine;
    st.Image = k.HasPicture;
    st.Alignment = (k.AutoSizes && !s->AutoSize()) || k.AlignsWhenSized;
    st.TextBox = k.CarriesText && !s->Advanced();
    st.EditFields = TakesFields(k);
    return st;
}
