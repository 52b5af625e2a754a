// Compiled, not run, by two tests: with the names as they stand it must compile; with
// VT_MISSPELT_ACTION it names an action that does not exist and must not.
#include "app/ActionIds.h"

constexpr TActionName kUndo = "acUndo";
static_assert(kUndo.Id == TActionId::Undo);
static_assert(TActionName("acAddImage").Id == TActionId::AddImage);
static_assert(std::string_view(ActionName(TActionId::MaintainAspect)) == "acMaintainAspect");

#ifdef VT_MISSPELT_ACTION
constexpr TActionName kMisspelt = "acUndoo";
#endif

int main() {
    return 0;
}
