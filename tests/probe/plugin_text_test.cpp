// The plug-in's texts and version number as the record gets them.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "probe/plugin_strings.h"
#include "probe/vendor_version.h"

namespace {

std::wstring Wide(const CWideString& text) { return std::wstring(text.Text() ? text.Text() : L"", text.GetLength()); }

TEST(VendorVersion, EachRangeHasItsOwnEncoding) {
    struct {
        int32_t version;
        const wchar_t* text;
    } const cases[] = {
        {1, L"1.0.0.0"},           {5, L"5.0.0.0"},
        {9, L"9.0.0.0"},           {-1, L"-1.0.0.0"},
        {INT_MIN, L"-2147483648.0.0.0"},
        {10, L"0.0.1.0"},          {1234, L"1.2.3.4"},
        {9999, L"9.9.9.9"},        {10000, L"1.0.0.0"},
        {12345, L"1.2.3.4"},       {65535, L"6.5.5.3"},
        {65536, L"1.0.0.0"},       {0x10203, L"1.2.3.0"},
        {6619135, L"100.255.255.0"}, {6619136, L"0.66.19.136"},
        {10203004, L"1.2.3.4"},    {INT_MAX, L"214.74.83.647"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.version);
        EXPECT_EQ(c.text, Wide(FormatVendorVersion(c.version)));
    }
}

TEST(VendorVersion, ZeroIsTheEmptyTextNotTheAbsentOne) {
    const CWideString text = FormatVendorVersion(0);
    EXPECT_FALSE(text.IsAbsent());
    EXPECT_EQ(0, text.GetLength());
}

TEST(WidenPluginString, BytesBecomeTheCodeUnitsOfTheSameValue) {
    EXPECT_TRUE(WidenPluginString(nullptr).IsAbsent());
    const CWideString empty = WidenPluginString("");
    EXPECT_FALSE(empty.IsAbsent());
    EXPECT_EQ(0, empty.GetLength());

    char high[129];
    for (int i = 0; i < 128; ++i) high[i] = static_cast<char>(0x80 + i);
    high[128] = 0;
    const CWideString wide = WidenPluginString(high);
    ASSERT_EQ(128, wide.GetLength());
    for (int i = 0; i < 128; ++i) EXPECT_EQ(0x80 + i, wide.Text()[i]);

    EXPECT_EQ(L"Two\nLines", Wide(WidenPluginString("Two\nLines\0hidden")));
}

// A stand-in plug-in whose dispatcher writes a given text and notes what it got.
struct SFakePlugin {
    AEffect effect;
    const char* write = nullptr;
    int32_t writeBytes = 0;  // bytes of `write` to copy, no NUL added
    VstIntPtr answer = 0;
    int32_t opcode = -1, index = -1;
    VstIntPtr value = -1;
    float opt = -1.0f;
    int firstByte = -1;

    SFakePlugin() {
        std::memset(&effect, 0, sizeof(effect));
        effect.magic = kEffectMagic;
        effect.dispatcher = &Dispatch;
        effect.object = this;
    }

    static VstIntPtr VSTCALLBACK Dispatch(AEffect* effect, int32_t opcode, int32_t index, VstIntPtr value, void* ptr,
                                          float opt) {
        SFakePlugin* self = static_cast<SFakePlugin*>(effect->object);
        self->opcode = opcode;
        self->index = index;
        self->value = value;
        self->opt = opt;
        char* buffer = static_cast<char*>(ptr);
        self->firstByte = static_cast<unsigned char>(buffer[0]);
        if (self->write) std::memcpy(buffer, self->write, self->writeBytes);
        return self->answer;
    }
};

TEST(QueryPluginString, AsksWithAClearedBufferAndZeroArguments) {
    SFakePlugin plugin;
    const std::string long_text(500, 'x');
    plugin.write = long_text.c_str();
    plugin.writeBytes = static_cast<int32_t>(long_text.size() + 1);
    EXPECT_EQ(500, QueryPluginString(&plugin.effect, effGetVendorString).GetLength());
    EXPECT_EQ(effGetVendorString, plugin.opcode);
    EXPECT_EQ(0, plugin.index);
    EXPECT_EQ(0, plugin.value);
    EXPECT_EQ(0.0f, plugin.opt);

    // the next query starts from a cleared buffer, so a plug-in that writes
    // nothing gives the empty text, not what the last one wrote
    plugin.write = nullptr;
    plugin.answer = 1;
    const CWideString nothing = QueryPluginString(&plugin.effect, effGetProductString);
    EXPECT_EQ(0, plugin.firstByte);
    EXPECT_FALSE(nothing.IsAbsent());
    EXPECT_EQ(0, nothing.GetLength());
}

TEST(QueryPluginString, ReadsBytesAsLatin1UpToTheNul) {
    SFakePlugin plugin;
    const char text[] = "Caf\xE9 \xFF\0after";
    plugin.write = text;
    plugin.writeBytes = sizeof(text);
    EXPECT_EQ(L"Caf\u00E9 \u00FF", Wide(QueryPluginString(&plugin.effect, effGetEffectName)));
}

TEST(QueryPluginString, AFullBufferWithoutNulIsCutAt512Bytes) {
    SFakePlugin plugin;
    std::string full(512, '\0');
    for (int i = 0; i < 512; ++i) full[i] = static_cast<char>('a' + i % 26);
    plugin.write = full.c_str();
    plugin.writeBytes = 512;
    const CWideString text = QueryPluginString(&plugin.effect, effGetEffectName);
    EXPECT_EQ(std::wstring(full.begin(), full.end()), Wide(text));
}

}  // namespace
