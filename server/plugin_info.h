#pragma once
// The description of one plug-in module as far as its scan got, and the report
// that sends it to the host as JSON-like result lines.
#include <cstdint>

#include "toolkit/owned_vector.h"
#include "toolkit/shared_text.h"
#include "toolkit/shell_info.h"

// category values the probe and the report rely on
constexpr int32_t kPlugCategUnknown = 0;
constexpr int32_t kPlugCategEffect = 1;
constexpr int32_t kPlugCategSynth = 2;
constexpr int32_t kPlugCategShell = 10;

using CShellList = CVector<CShellInfo*, SOwnedPtr, CShellInfo*>;

struct CPluginInfo {
    int32_t id = 0;
    CWideString name;
    CWideString vendor;
    CWideString product;
    CWideString version;
    CWideString error;  // absent when nothing failed
    int32_t numInputs = 0;
    int32_t numOutputs = 0;
    bool wantsMidi = false;
    bool sendsMidi = false;
    bool audio64 = false;
    bool synthEdit = false;
    int32_t category = -1;
    CShellList shells;  // sub-plug-ins in the order first named
};

void WriteReport(const CPluginInfo& info);

// Makes a text safe inside a JSON string: every code unit outside printable
// ASCII is escaped, so the report is plain ASCII. Absent or empty gives the
// empty (not absent) text.
CWideString JsonEscape(const CWideString& text);
