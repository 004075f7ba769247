// The vexlo-keys program itself: exit codes, output formats, and the settings file on disk.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "keyscript/Cli.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

fs::path makeTempDir() {
    std::string pattern = (fs::temp_directory_path() / "vexlo-keys-test-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

struct TempDir {
    fs::path path = makeTempDir();
    ~TempDir() { fs::remove_all(path); }
};

// Runs the built program with `args`, in `cwd` when given, with extra environment entries and
// `input` on its standard input through a pipe.
ToolRun runTool(const std::vector<std::string>& args, const fs::path& cwd = {},
                const std::vector<std::string>& extraEnv = {}, const std::string& input = {}) {
    TempDir io;
    const fs::path outPath = io.path / "out", errPath = io.path / "err";
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());

    std::vector<char*> argv{const_cast<char*>(VEXLO_KEYS_BINARY)};
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t child = fork();
    if (child == 0) {
        const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(out, 1);
        dup2(err, 2);
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) _exit(125);
        if (fork() == 0) {
            close(pipeEnds[0]);
            for (std::size_t done = 0; done < input.size();) {
                const ssize_t n = write(pipeEnds[1], input.data() + done, input.size() - done);
                if (n <= 0) _exit(1);
                done += static_cast<std::size_t>(n);
            }
            _exit(0);
        }
        close(pipeEnds[1]);
        dup2(pipeEnds[0], 0);
        if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
        execve(VEXLO_KEYS_BINARY, argv.data(), envp.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ToolRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = readFile(outPath);
    run.err = readFile(errPath);
    return run;
}

TEST(Cli, HelpAndVersion) {
    const auto help = runTool({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: vexlo-keys")) << help.out;
    for (const char* documented :
         {"{clip:TEXT}", "--colour-answer", "--fonts", "{select:", "--script-file FILE",
          "--clipboard-file FILE", "1 MiB (1048576 bytes)"}) {
        EXPECT_NE(help.out.find(documented), std::string::npos) << documented;
    }
    EXPECT_EQ(help.err, "");
    const auto version = runTool({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.starts_with("vexlo-keys ")) << version.out;
}

class BadArguments : public ::testing::TestWithParam<std::vector<std::string>> {};

TEST_P(BadArguments, ExitWithStatusTwoAndSayWhy) {
    const auto run = runTool(GetParam());
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(run.err.starts_with("vexlo-keys: ")) << run.err;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Options, BadArguments,
    ::testing::Values(std::vector<std::string>{}, std::vector<std::string>{"1", "2"},
                      std::vector<std::string>{"--lang", "fr", "1"},
                      std::vector<std::string>{"1", "--lang"},
                      std::vector<std::string>{"--warnings=maybe", "1"},
                      std::vector<std::string>{"--json=yes", "1"},
                      std::vector<std::string>{"--settings=", "1"},
                      std::vector<std::string>{"--clipboard", "\xff", "1"},
                      std::vector<std::string>{"--colour", "1"},
                      std::vector<std::string>{"--colour-answer", "red", "1"},
                      std::vector<std::string>{"--colour-answer=4294967296", "1"},
                      std::vector<std::string>{"--colour-answer=255,", "1"},
                      std::vector<std::string>{"--fonts", "\xff", "1"},
                      std::vector<std::string>{"--script-file", "/nonexistent/script"},
                      std::vector<std::string>{"--script-file", "/"},
                      std::vector<std::string>{"--script-file="},
                      std::vector<std::string>{"--script-file", "-", "1"},
                      std::vector<std::string>{"--clipboard-file", "/nonexistent/text", "1"},
                      std::vector<std::string>{"--clipboard-file", "/dev/zero", "1"},
                      std::vector<std::string>{"--clipboard-file=/", "1"},
                      std::vector<std::string>{"--clipboard=x", "--clipboard-file=-", "1"},
                      std::vector<std::string>{"--script-file=-", "--clipboard-file=-"}));
// clang-format on

struct ScriptErrorRow {
    std::string script;
    std::string says;
};

class BadScript : public ::testing::TestWithParam<ScriptErrorRow> {};

TEST_P(BadScript, NamesThePosition) {
    const auto run = runTool({GetParam().script});
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find(GetParam().says), std::string::npos) << run.err;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Scripts, BadScript,
    ::testing::Values(ScriptErrorRow{"12{Entr}", "character 3: unknown name"},
                      ScriptErrorRow{"12\xff", "character 3: invalid UTF-8"},
                      ScriptErrorRow{"1+{", "character 3: unbalanced"},
                      ScriptErrorRow{"{menu:Nope}", "character 1: {menu:Nope}: unknown menu item"},
                      ScriptErrorRow{"5{select:Lstfontname}", "character 2: a selection names"},
                      ScriptErrorRow{"{select:Readout,x}", "Readout is not a list box"}));
// clang-format on

// The command line cannot carry a megabyte, so the option's limit is met in the process.
TEST(Cli, ClipboardOptionHoldsAtMostAMegabyte) {
    for (const std::size_t size : {std::size_t{1} << 20, (std::size_t{1} << 20) + 1}) {
        const std::string text(size, '7');
        const char* argv[] = {"vexlo-keys", "--clipboard", text.c_str(), "{Ctrl+V}"};
        std::ostringstream out, err;
        const int status = vexlo::keyscript::runCli(4, argv, out, err);
        EXPECT_EQ(status, size > (1u << 20) ? 2 : 0) << size << err.str();
        EXPECT_EQ(err.str().find("--clipboard text is longer than 1 MiB") != std::string::npos,
                  size > (1u << 20))
            << err.str();
    }
}

TEST(Cli, TextOutputLines) {
    EXPECT_EQ(runTool({"12*3{Enter}"}).out, "display: 36.\nmem2: \nmem1: \nclipboard: \n");
    EXPECT_EQ(runTool({"--lang", "en", "8/0="}).out,
              "display: 8.\nmem2:  \nmem1: \nclipboard: \n"
              "message: 【VexloKun】 |  Cannot be divided by 0.\n");
    EXPECT_EQ(runTool({"--clipboard=a\\b", "5{clip:1\n2\t}{Ctrl+V}"}).out,
              "display: 1\uFFFD2\uFFFD\nmem2:  \nmem1: \nclipboard: 1\\n2\\t\n");
    EXPECT_EQ(runTool({"--clipboard", "a\\b\x01", "{Ctrl+C}"}).out,
              "display: 0.\nmem2:  \nmem1: \nclipboard: 0.\n");
    EXPECT_EQ(runTool({"--warnings", "off", "--lang=en", "--clipboard", "x\\y\x01", "8/0="}).out,
              "display: 8.\nmem2:  \nmem1: \nclipboard: x\\\\y\\x01\n");
}

TEST(Cli, ScriptMayBeginWithAMinus) {
    EXPECT_EQ(runTool({"-5+1="}).out, "display: -4.\nmem2:  \nmem1: \nclipboard: \n");
    EXPECT_EQ(runTool({"--", "--5"}).out.substr(0, 13), "display: -5.\n");
}

TEST(Cli, TraceLinesComeFirst) {
    EXPECT_EQ(runTool({"--trace", "1+{{}%"}).out,
              "trace: 1 | 1.\ntrace: + | 1.\ntrace: {{} | 1.\ntrace: % | 0.01\n"
              "display: 0.01\nmem2: \nmem1: \nclipboard: \n");
}

TEST(Cli, TapeLinesComeLastWithTheirRulesAndJsonHoldsThemWithTape) {
    EXPECT_EQ(runTool({"--tape", "1000{Ctrl+K}+500="}).out,
              "display: 1,600.\nmem2:  \nmem1: \nclipboard: \n"
              "tape: 1,100.00 | 税込10%\ntape: 1,100.00 | +\ntape: 500 | \ntape: 1,600 | =\n"
              "tape: ----\n");
    EXPECT_EQ(runTool({"--tape", "12"}).out, "display: 12.\nmem2:  \nmem1: \nclipboard: \n");
    const auto json = nlohmann::ordered_json::parse(runTool({"--json", "--tape", "8/0="}).out);
    EXPECT_EQ(json["tape"].dump(),
              R"([{"number":"8","function":"÷","kind":"operand","rule":false},)"
              R"({"number":"0","function":"","kind":"operand","rule":false},)"
              R"({"number":"","function":"ゼロで割れません。","kind":"warning","rule":false},)"
              R"({"number":"8","function":"=","kind":"result","rule":true}])");
}

TEST(Cli, JsonHoldsTheWholeWindow) {
    const auto run = runTool({"--json", "8/0=5{Ctrl+C}"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto json = nlohmann::ordered_json::parse(run.out);
    std::vector<std::string> keys;
    for (const auto& item : json.items()) keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"display", "mem1", "mem2", "clipboard", "messages",
                                              "closed", "state", "window", "controls", "menus",
                                              "forms"}));
    EXPECT_EQ(json["display"], "5.");
    EXPECT_EQ(json["clipboard"], "5.");
    EXPECT_EQ(json["closed"], false);
    EXPECT_EQ(json["messages"],
              nlohmann::ordered_json::parse(R"([{"title":"電卓","text":"ゼロで割れません。"}])"));

    const auto& state = json["state"];
    for (const char* number : {"FirstOperand", "SecondOperand", "MemoryValue", "MemoryInput",
                               "PointEntered", "OperandCount", "LanguageMode", "UnitPanelMode"}) {
        EXPECT_TRUE(state[number].is_number()) << number;
    }
    for (const char* text :
         {"LastEntryKind", "PendingOperator", "WarningMode", "EraInitial", "MemoryMark"}) {
        EXPECT_TRUE(state[text].is_string()) << text;
    }
    EXPECT_EQ(state["FirstOperand"], 8);
    EXPECT_EQ(state["PendingOperator"], "=");
    EXPECT_EQ(state["LastEntryKind"], "NUMS");
    EXPECT_EQ(state["WarningMode"], "0");

    const auto& window = json["window"];
    EXPECT_EQ(window["caption"], "【ベクロ】");
    EXPECT_EQ(window["height"], 1356);
    EXPECT_EQ(window["topmost"], false);
    for (const char* key : {"top", "left", "width"}) EXPECT_TRUE(window[key].is_number());

    const auto& readout = json["controls"]["Readout"];
    EXPECT_EQ(readout["caption"], "5.");
    for (const char* key : {"visible", "enabled", "left", "top", "width", "height", "font_name",
                            "font_size", "back_colour", "fore_colour"}) {
        EXPECT_TRUE(readout.contains(key)) << key;
    }
    EXPECT_TRUE(json["controls"]["MEM1"].contains("text"));
    EXPECT_EQ(json["controls"]["Number(7)"]["caption"], "7");
    EXPECT_EQ(json["controls"]["Operator(2)"]["caption"], "X");

    const auto& menus = json["menus"];
    for (const char* key : {"All_Cancel", "Kugiri", "TNN(0)", "font2(0)", "MMM(0)", "LLL(1)",
                            "RRR(2)", "EEE(3)", "XXX(4)", "HHH(0)", "VER_FORM"}) {
        EXPECT_TRUE(menus.contains(key)) << key;
    }
    EXPECT_EQ(menus["TNN(0)"]["checked"], true);
    EXPECT_EQ(menus["SSS(1)"]["checked"], true);
    EXPECT_EQ(menus["AAA(0)"]["checked"], true);
    EXPECT_TRUE(json["forms"].is_object());
}

TEST(Cli, JsonHoldsEveryPanelControl) {
    const auto run = runTool({"--json", "{menu:TNN(1)}{click:Check5}{click:Option6}"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto controls = nlohmann::ordered_json::parse(run.out)["controls"];
    for (int n = 1; n <= 11; ++n) {
        EXPECT_EQ(controls.contains("Check" + std::to_string(n)), n <= 10) << n;
        EXPECT_TRUE(controls.contains("Option" + std::to_string(n))) << n;
    }
    EXPECT_EQ(
        controls["Check9"].dump(),
        R"({"caption":"米トン","value":0,"visible":true,"enabled":true,"left":2520,"top":2280,)"
        R"("width":1815,"height":270,"font_name":"Terminal","font_size":9.75,"font_bold":true,)"
        R"("back_colour":16777215,"fore_colour":0})");
    EXPECT_EQ(controls["Option6"]["value"], true);
    EXPECT_EQ(controls["Command3"]["caption"], "戻る");
}

TEST(Cli, SettingsRoundTrip) {
    TempDir dir;
    const fs::path file = dir.path / "VEXLO.INI";
    writeFile(file, "[VEXLO]\nEndMem=1\nDumy=12,345.\n");

    const auto start = runTool({"--json", "--settings", file.string(), ""});
    ASSERT_EQ(start.status, 0) << start.err;
    const auto json = nlohmann::json::parse(start.out);
    EXPECT_EQ(json["display"], "12,345.");
    EXPECT_EQ(json["state"]["FirstOperand"], 12345);

    EXPECT_EQ(runTool({"--settings", file.string(), "+7={close}"}).status, 0);
    EXPECT_NE(readFile(file).find("Dumy=12,352."), std::string::npos) << readFile(file);
    EXPECT_EQ(runTool({"--settings=" + file.string(), ""}).out.substr(0, 17), "display: 12,352.\n");
}

TEST(Cli, SettingsLostToAHeldLockAreReported) {
    TempDir dir;
    const fs::path file = dir.path / "VEXLO.INI";
    writeFile(file, "[VEXLO]\nDumy=1.\n");
    const int lock = ::open((dir.path / ".VEXLO.INI.lock").c_str(), O_RDWR | O_CREAT, 0600);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    const struct {
        const char* script;
        int status;
        const char* err;  // every lost key, named once
    } rows[] = {
        {"5{close}", 3, "Dumy not written: another program held the file's lock\n"},
        {"1{close}", 0, ""},  // the value already there: no lock needed
        {"5", 0, ""},         // nothing written
    };
    for (const auto& row : rows) {
        const auto run = runTool({"--settings", file.string(), row.script});
        EXPECT_EQ(run.status, row.status) << row.script;
        EXPECT_EQ(run.out.substr(0, 9), "display: ") << row.script;
        const std::string prefix = "vexlo-keys: " + file.string() + ": ";
        EXPECT_EQ(run.err, *row.err ? prefix + row.err : "") << row.script;
        EXPECT_EQ(readFile(file), "[VEXLO]\nDumy=1.\n") << row.script;
    }
    ::close(lock);
    EXPECT_EQ(runTool({"--settings", file.string(), "5{close}"}).status, 0);
    EXPECT_EQ(readFile(file), "[VEXLO]\nDumy=5.\n");
}

TEST(Cli, StartOptionsLeaveTheFileAsItWas) {
    TempDir dir;
    const fs::path file = dir.path / "VEXLO.INI";
    const std::string stored = "[VEXLO]\nJpFont=0\nAtsNoA=0\n";
    writeFile(file, stored);
    const auto run = runTool(
        {"--json", "--lang", "en", "--warnings", "off", "--settings", file.string(), "8/0="});
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["window"]["caption"], "【VexloKun】");
    EXPECT_EQ(json["messages"].size(), 0u);
    EXPECT_EQ(readFile(file), stored);
}

TEST(Cli, MalformedScriptTouchesNoFile) {
    TempDir dir;
    const fs::path file = dir.path / "new.ini";
    for (const char* script : {"5{close}{menu:Nope}", "5{close}{Entr}", "5{close}\xff"}) {
        EXPECT_EQ(runTool({"--settings", file.string(), script}).status, 2) << script;
        EXPECT_FALSE(fs::exists(file)) << script;
    }
}

TEST(Cli, WithoutSettingsNothingTouchesTheDisk) {
    TempDir dir;
    for (const char* sub : {"cwd", "home", "xdg"}) fs::create_directory(dir.path / sub);
    const fs::path besideProgram = fs::path(VEXLO_KEYS_BINARY).parent_path() / "VEXLO.INI";
    const bool existed = fs::exists(besideProgram);
    const std::string before = existed ? readFile(besideProgram) : "";

    const auto run = runTool(
        {"5{menu:SSS(0)}{menu:HYOJI}{close}"}, dir.path / "cwd",
        {"HOME=" + (dir.path / "home").string(), "XDG_CONFIG_HOME=" + (dir.path / "xdg").string()});
    EXPECT_EQ(run.status, 0) << run.err;
    for (const char* sub : {"cwd", "home", "xdg"}) {
        EXPECT_TRUE(fs::is_empty(dir.path / sub)) << sub;
    }
    EXPECT_EQ(fs::exists(besideProgram), existed);
    if (existed) {
        EXPECT_EQ(readFile(besideProgram), before);
    }
}

}  // namespace

namespace {

// A script read from a file or standard input runs exactly as the same script given whole.
TEST(CliScriptFile, RunsAsTheScriptGivenWhole) {
    const std::vector<std::vector<std::string>> rows = {
        {"12*3="},
        {"--trace", "1+{{}%\n2"},
        {"--json", "--trace", "8/0=5{Ctrl+C}"},
        {"{clip:a}}b}{Ctrl+V}{close}7"},
        {"--lang=en", "{clip:\u202E12}{shiftclick:Readout}{menu:Menu_Copy}"},
    };
    TempDir dir;
    const fs::path file = dir.path / "script.keys";
    for (const auto& row : rows) {
        std::vector<std::string> options(row.begin(), row.end() - 1);
        const std::string script = row.back();
        writeFile(file, script);
        const auto whole = runTool(row);
        ASSERT_EQ(whole.status, 0) << script << whole.err;
        options.insert(options.end(), {"--script-file", file.string()});
        EXPECT_EQ(runTool(options).out, whole.out) << script;
        options.back() = "-";
        EXPECT_EQ(runTool(options, {}, {}, script).out, whole.out) << script;
    }
}

TEST(CliScriptFile, MalformedScriptNamesItsLineAndRunsNothing) {
    const struct {
        std::string script;
        std::string says;
    } rows[] = {
        {"1\n2\n{Entr}", "character 5 (line 3, column 1): unknown name"},
        {"1\n\n22{menu:Nope}", "character 6 (line 3, column 3): {menu:Nope}: unknown menu"},
        {"{Entr}\n\xff", "character 8 (line 2, column 1): invalid UTF-8 (byte 8)"},
        {"5{close}" + std::string(200'000, '1') + "{", "character 200009 (line 1, column "},
        {"5\n{clip:" + std::string((1 << 20) + 1, '7') + "}",
         "character 3 (line 2, column 1): {clip: text longer than 1 MiB"},
    };
    TempDir dir;
    const fs::path settings = dir.path / "VEXLO.INI";
    const fs::path file = dir.path / "script.keys";
    for (const auto& row : rows) {
        writeFile(file, row.script);
        const auto fromFile =
            runTool({"--settings", settings.string(), "--script-file", file.string()});
        EXPECT_EQ(fromFile.status, 2);
        EXPECT_EQ(fromFile.out, "");
        EXPECT_EQ(fromFile.err.find("vexlo-keys: " + file.string() + ", " + row.says), 0u)
            << fromFile.err;
        const auto fromPipe =
            runTool({"--settings", settings.string(), "--script-file", "-"}, {}, {}, row.script);
        EXPECT_EQ(fromPipe.status, 2);
        EXPECT_EQ(fromPipe.err.find("vexlo-keys: standard input, " + row.says), 0u) << fromPipe.err;
        EXPECT_FALSE(fs::exists(settings)) << row.says;
    }
}

TEST(CliScriptFile, TextsBeyondTheArgumentLimit) {
    TempDir dir;
    const fs::path file = dir.path / "long";
    // 300,000 keys: digits cleared by "c" again and again, then one sum.
    std::string script;
    while (script.size() < 300'000) script += "1234567890c";
    script += "12+30=";
    writeFile(file, script);
    EXPECT_EQ(runTool({"--script-file", file.string()}).out.substr(0, 13), "display: 42.\n");
    EXPECT_EQ(runTool({"--script-file=-"}, {}, {}, script).out.substr(0, 13), "display: 42.\n");

    // The clipboard file is taken whole, line end included: the paste still reads the number.
    writeFile(file, "  4567\r\n");
    EXPECT_EQ(runTool({"--clipboard-file", file.string(), "{Ctrl+V}+1="}).out,
              "display: 4,568.\nmem2:  \nmem1: \nclipboard:   4567\\r\\n\n");
    const std::string digits(200'000, '7');
    const auto huge = runTool({"--clipboard-file=-", "{Ctrl+V}"}, {}, {}, digits);
    EXPECT_NE(huge.out.find("message: 【ベクロ】 | 表示行数をオーバーしました。"),
              std::string::npos);
    // A clipboard file of a megabyte is taken; one byte more, or a file without end, is not.
    const std::string megabyte(1 << 20, '7');
    writeFile(file, megabyte);
    const auto longest = runTool({"--clipboard-file", file.string(), "{Ctrl+V}"});
    EXPECT_EQ(longest.status, 0) << longest.err;
    EXPECT_NE(longest.out.find("message: 【ベクロ】 | 表示行数をオーバーしました。"),
              std::string::npos);
    writeFile(file, megabyte + "7");
    for (const auto& run : {runTool({"--clipboard-file", file.string(), "{Ctrl+V}"}),
                            runTool({"--clipboard-file=-", "{Ctrl+V}"}, {}, {}, megabyte + "7"),
                            runTool({"--clipboard-file", "/dev/zero", "{Ctrl+V}"})}) {
        EXPECT_EQ(run.status, 2);
        EXPECT_TRUE(run.out.empty()) << run.out.substr(0, 100);
        EXPECT_NE(run.err.find("is longer than 1 MiB (1048576 bytes)"), std::string::npos)
            << run.err;
    }
    writeFile(file, "12\xff");
    const auto broken = runTool({"--clipboard-file", file.string(), "{Ctrl+V}"});
    EXPECT_EQ(broken.status, 2);
    EXPECT_NE(broken.err.find("is not valid UTF-8"), std::string::npos) << broken.err;
}

}  // namespace
