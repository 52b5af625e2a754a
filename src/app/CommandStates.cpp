#include "app/CommandStates.h"

#include "document/lblobjs.h"

TCommandStates CommandStatesFor(const TLabelControl* s, bool labelHasControls) {
    TCommandStates st;
    st.RotateFocus = labelHasControls;
    st.SelectFont = !s || (s->Kind() != ckShape && s->Kind() != ckGraphic);
    if (!s)
        return st;
    const TControlKind k = s->Kind();
    const bool barcodeOrText = k == ckBarcode || k == ckText;
    st.Stacking = true;
    st.Rotate = barcodeOrText;
    st.AutoSize = barcodeOrText || k == ckMemo;
    st.Transparent = k == ckText || k == ckMemo || k == ckGraphic;
    st.EditText = k == ckMemo;
    st.Image = k == ckGraphic;
    st.Alignment = (barcodeOrText && !s->AutoSize()) || k == ckMemo;
    st.TextBox = k != ckShape && k != ckGraphic && !s->Advanced();
    st.EditFields = k != ckShape && k != ckGraphic;
    return st;
}
