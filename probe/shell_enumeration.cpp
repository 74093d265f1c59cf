#include "probe/shell_enumeration.h"

#include <new>

#include "probe/plugin_strings.h"
#include "server/log_channel.h"
#include "toolkit/ordered_map.h"

namespace {

using CSeenIds = CMap<int, bool, SValue, SValue, int>;

// Records a sub-plug-in met for the first time. False when memory ran out.
bool AddShell(CShellList& shells, CSeenIds& seen, int32_t id, const char* name) {
    if (!seen.Set(id, true)) return false;
    CShellInfo* shell = new (std::nothrow) CShellInfo;
    if (!shell) return false;
    shell->id = id;
    shell->name = WidenPluginString(name);
    if (!shells.Add(shell)) {
        delete shell;
        return false;
    }
    return true;
}

}  // namespace

void EnumerateShell(AEffect* effect, CShellList& shells) {
    CSeenIds seen;
    for (int32_t answers = 0;; ++answers) {
        if (answers == kMaxShellAnswers) {
            LogInfo(L"Shell enumeration stopped after %i answers\n", answers);
            return;
        }
        CNarrowString name;
        char* buffer = name.Reserve(kShellNameBytes);
        // without a buffer the plug-in cannot be asked: keep what was found
        if (!buffer) return;
        // a plug-in that answers an id without writing a name gets an empty one
        buffer[0] = 0;
        const int32_t id = static_cast<int32_t>(effect->dispatcher(effect, effShellGetNextPlugin, 0, 0, buffer, 0.0f));
        if (id == 0) return;
        LogInfo(L"Found shell: %.8X - %S\n", id, name);
        if (seen.Lookup(id)) {
            LogInfo(L"   - duplicate, ignoring\n");
            continue;
        }
        if (!AddShell(shells, seen, id, buffer)) return;
    }
}
