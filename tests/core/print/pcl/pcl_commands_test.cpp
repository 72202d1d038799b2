#include "core/print/pcl/pcl_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace analysis::pcl {
namespace {

struct EmitterCase {
    const char* name;
    std::function<void(std::string&)> emit;
    std::string bytes;
};

TEST(PclCommands, EachEmitterWritesItsExactBytes) {
    const EmitterCase cases[] = {
        {"reset", [](std::string& o) { EmitReset(o); },
         "\x1b"
         "E"},
        {"portrait", [](std::string& o) { EmitOrientation(o, 0); }, "\x1b&l0O"},
        {"landscape", [](std::string& o) { EmitOrientation(o, 1); }, "\x1b&l1O"},
        {"duplex", [](std::string& o) { EmitDuplex(o, 1); }, "\x1b&l1S"},
        {"legal", [](std::string& o) { EmitPageSize(o, 3); }, "\x1b&l3A"},
        {"pc-8", [](std::string& o) { EmitSymbolSet(o, 10); }, "\x1b(10U"},
        {"small font", [](std::string& o) { EmitFont(o, 0, 2, 0, 16.67, 8.5); },
         "\x1b(s0p16.67h8.50v0s2b0T"},
        {"ten point font", [](std::string& o) { EmitFont(o, 0, 2, 0, 12, 10); },
         "\x1b(s0p12.00h10.00v0s2b0T"},
        {"proportional font", [](std::string& o) { EmitFont(o, 3, -3, 1, 0, 12); },
         "\x1b(s1p12.00v1s-3b3T"},
        {"absolute cursor", [](std::string& o) { EmitCursor(o, 540, 90); }, "\x1b&a090v0540H"},
        {"relative cursor",
         [](std::string& o) { EmitCursor(o, -20, 10, CursorUnit::Decipoints, true); },
         "\x1b&a+10v-20H"},
        {"rows and columns",
         [](std::string& o) { EmitCursor(o, 3, 0, CursorUnit::RowsColumns, false); },
         "\x1b&a00r03C"},
        {"text", [](std::string& o) { EmitText(o, "\xc9\xcd AB"); }, "\xc9\xcd AB"},
    };
    for (const EmitterCase& c : cases) {
        std::string out = "prefix";
        c.emit(out);
        EXPECT_EQ(out, "prefix" + c.bytes) << c.name;
    }
}

TEST(PclCommands, CursorBytesForVertical1290Horizontal4050) {
    std::string out;
    EmitCursor(out, 4050, 1290);
    const unsigned char expected[] = {0x1B, 0x26, 0x61, 0x30, 0x31, 0x32, 0x39, 0x30,
                                      0x76, 0x30, 0x34, 0x30, 0x35, 0x30, 0x48};
    EXPECT_EQ(out, std::string(reinterpret_cast<const char*>(expected), sizeof expected));
}

} // namespace
} // namespace analysis::pcl
