// libFuzzer target: arbitrary bytes as a settings file on disk, then a key and a value written
// to it as the program writes them. Reading never fails; what was written reads back; every
// other key reads as before and every other line of the file survives, in order.
//
// Input: FILE 0xFF KEY 0xFF VALUE. A KEY of one byte picks a key of the settings table. A FILE
// that begins with 0xFE 0xFE (or 0xFD 0xFD) stands for the rest of it, mended to UTF-8, saved as
// UTF-16 little-endian (big-endian) with its byte order mark, which FILE itself cannot hold.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "platform/IniDocument.h"
#include "platform/Utf8.h"
#include "platform/headless/MemoryProfileFile.h"
#include "shell/settings/ColourText.h"
#include "shell/settings/DiskProfileFile.h"
#include "shell/settings/SettingsKeys.h"
#include "shell/settings/TextEncoding.h"

namespace {

namespace fs = std::filesystem;
using vexlo::platform::IniDocument;
using vexlo::shell::SettingsSection;

void check(bool condition) {
    if (!condition) std::abort();
}

struct Input {
    std::string_view file;
    std::string_view key = "FontDef";
    std::string_view value = "Arial";
};

Input split(std::string_view data) {
    Input input;
    const std::size_t first = data.find('\xFF');
    input.file = data.substr(0, first);
    if (first == std::string_view::npos) return input;
    const std::string_view rest = data.substr(first + 1);
    const std::size_t second = rest.find('\xFF');
    input.key = rest.substr(0, second);
    if (input.key.size() == 1) {
        const auto pick = static_cast<unsigned char>(input.key[0]);
        input.key = vexlo::shell::SettingKeys[pick % vexlo::shell::SettingKeys.size()].name;
    }
    if (second != std::string_view::npos) input.value = rest.substr(second + 1);
    return input;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::vector<std::string_view> lines(std::string_view text) {
    std::vector<std::string_view> out;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        out.push_back(text.substr(0, end));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return out;
}

// A write changes one place: past the lines both texts begin and end with, at most one line of
// `before` is left (the key's own, replaced), so every other line survives in order.
bool linesSurvive(std::string_view before, std::string_view after) {
    const auto old = lines(before);
    const auto now = lines(after);
    std::size_t prefix = 0;
    while (prefix < old.size() && prefix < now.size() && old[prefix] == now[prefix]) ++prefix;
    std::size_t suffix = 0;
    while (suffix < old.size() - prefix && suffix < now.size() - prefix &&
           old[old.size() - 1 - suffix] == now[now.size() - 1 - suffix]) {
        ++suffix;
    }
    return old.size() - prefix - suffix <= 1;
}

// Line breaks in a value are written as blanks.
std::string expectedValue(std::string_view value) {
    std::string expected(value);
    for (char& c : expected) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return expected;
}

// The in-memory document alone: a write reads back, touches nothing else, and repeats as a no-op.
void checkDocument(const Input& input) {
    IniDocument document{std::string(input.file)};
    (void)document.value(SettingsSection, input.key);
    const std::string before = document.text();
    const auto otherKey = document.value(SettingsSection, "Other");
    const auto otherSection = document.value("OTHER", input.key);
    if (!document.setValue(SettingsSection, input.key, input.value)) {
        check(document.text() == before);
        return;
    }
    check(document.value(SettingsSection, input.key) == expectedValue(input.value));
    if (!sameName(input.key, "Other")) check(document.value(SettingsSection, "Other") == otherKey);
    check(document.value("OTHER", input.key) == otherSection);
    check(linesSurvive(before, document.text()));
    const std::string once = document.text();
    check(document.setValue(SettingsSection, input.key, input.value));
    check(document.text() == once);
}

const fs::path& settingsPath() {
    static const fs::path path = [] {
        const fs::path directory = fs::exists("/dev/shm") ? "/dev/shm" : fs::temp_directory_path();
        return directory / ("vexlo-settings-fuzz-" + std::to_string(::getpid())) / "VEXLO.INI";
    }();
    return path;
}

std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The bytes on disk that FILE stands for.
std::string diskBytes(std::string_view file) {
    using vexlo::shell::FileEncoding;
    const bool little = file.starts_with("\xFE\xFE");
    if (!little && !file.starts_with("\xFD\xFD")) return std::string(file);
    const std::string text = "\uFEFF" + vexlo::platform::utf8::replaceInvalid(file.substr(2));
    return *vexlo::shell::utf8ToUtf16(text, little ? FileEncoding::Utf16Le : FileEncoding::Utf16Be);
}

// The same through the file on disk, with its encoding rules, as start-up and the handlers use it.
void checkDisk(const Input& input) {
    const fs::path& path = settingsPath();
    fs::create_directories(path.parent_path());
    const std::string bytes = diskBytes(input.file);
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));

    auto calls = vexlo::shell::FileCalls::system();
    calls.fsync = [](int) { return 0; };  // a RAM disk: nothing to wait for
    vexlo::shell::DiskProfileFile profile(path, calls);
    const std::string before = vexlo::shell::loadSettingsText(path).text;
    // Start-up's reads of every key, on the text as the disk file reads it (one read, not 19).
    (void)vexlo::shell::readStoredSettings(vexlo::platform::MemoryProfileFile(before));

    // The program writes only names and texts it holds, which are valid UTF-8.
    const std::string key = vexlo::platform::utf8::replaceInvalid(input.key);
    const std::string value = vexlo::platform::utf8::replaceInvalid(input.value);
    if (!profile.write(SettingsSection, key, value)) {
        check(fileBytes(path) == bytes);  // a refused write leaves the file as it was
        return;
    }
    check(profile.read(SettingsSection, key) == expectedValue(value));
    const vexlo::shell::SettingsText after = vexlo::shell::loadSettingsText(path);
    if (after.encoding == vexlo::shell::FileEncoding::Cp932) {
        // The line replaced was all that kept a Shift-JIS file from reading as such: the other
        // lines keep their bytes, and now read as the Shift-JIS they are.
        check(linesSurvive(bytes, fileBytes(path)));
        return;
    }
    check(linesSurvive(before, after.text));
    const IniDocument old(before), now(after.text);
    for (const auto& other : vexlo::shell::SettingKeys) {
        if (!sameName(other.name, key)) {
            check(now.value(SettingsSection, other.name) == old.value(SettingsSection, other.name));
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string_view data(reinterpret_cast<const char*>(bytes), size);
    const Input input = split(data);

    (void)vexlo::shell::readColourText(data);
    (void)vexlo::platform::leadingInteger(data);
    check(vexlo::platform::cutText(data, 49).size() <= data.size());

    checkDocument(input);
    checkDisk(input);
    return 0;
}
