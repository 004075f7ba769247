#pragma once
// The built-in help: the headings of `Help_Form` and the body's paragraphs under each. The
// program has no help file; this is all of its help.

#include <array>
#include <string_view>

namespace vexlo::shell {

struct HelpHeading {
    const char* name;  // the label
    int index;         // -1 when the label is not part of an array
    const char* caption;
    double fontSize;
    bool bold;
};

// clang-format off
inline constexpr std::array<HelpHeading, 6> HelpHeadings{{
    {"Label3", -1, "◎ 【ベクロＨＥＬＰ】",                  12,   true},
    {"Label2",  0, "◎ 概要",                               12,   false},
    {"Label4", -1, "注：入力は半角で入力してください。",     9.75, false},
    {"Label5", -1, "〇四則計算",                            12,   false},
    {"Label6", -1, "〇計算結果表示について",                12,   false},
    {"Label7", -1, "〇和、洋暦変換",                        12,   false},
}};

// Paragraphs of the body, each under the heading it follows (by the heading's position above).
struct HelpParagraph {
    std::size_t heading;
    const char* text;
};

inline constexpr std::array<HelpParagraph, 12> HelpBody{{
    {1, "ヘルプは別のヘルプファイルをやめ、このようにプログラムの中に収めました。"
        "消費税の軽減税率（8％）にも対応しています。"},
    {1, "主な機能はそのままに、タッチパネルでも操作できるよう手を入れました。"
        "おまけとして、西暦から和暦への変換が令和まで対応し、明治より前の年には"
        "その時代の名前（時代名のみ）を表示するようになりました。"},
    {1, "タブレットでも使いやすいよう、ウインドウの大きさを変えられる範囲を広げ、"
        "画面上のキーボードでの操作も試しました。タッチ操作は 10 インチ画面の"
        "Windows タブレットと、タッチパネル付きのノートパソコンで確かめています。"},
    {1, "ベクロは、ふつうの電卓と同じようにテンキーで操作するデスクトップ電卓です。"
        "ノートパソコンでは、ファンクションキーの下に並ぶ数字キーやテンキーが使えます。"
        "四則計算のほかに、消費税の計算、西暦と和暦の変換、単位の変換ができます。"},
    {3, "「１００＋１００＝」のように、順にキーを押して入力します。"
        "「＝」は「＝」キーまたは Enter キーです。"},
    {3, "「×」は「＊」キー、「÷」は「/」キーで入力します。"
        "「％」は Shift キーを押しながら「%」キーです。100 の 10 パーセントは"
        "「１００＊１０％」と入力し、「＝」は押しません。"},
    {4, "表示のしかたは、オプションメニューの「警告表示」で選べます。"
        "警告を表示しない設定では、結果を小数点以下 1 桁までで表示します。"},
    {4, "警告を表示する設定では、表示しきれないときに警告が出ます。"
        "Enter キーを押すと、小数点以下 14 桁まで表示します。"},
    {5, "和暦の年は、元号の頭文字と年で入力します。"
        "明治：M　大正：T　昭和：S　平成：H　令和：R"},
    {5, "例）令和1年：R1"},
    {5, "〇単位変換"},
    {5, "オプションメニューの「単位変換画面」で画面を開き、左側の一覧で元の単位に"
        "チェックを入れ、数値を入力してから、右側で変換先の単位にチェックを入れます。"},
}};
// clang-format on

}  // namespace vexlo::shell
