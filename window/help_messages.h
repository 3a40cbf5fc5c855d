#pragma once

#include <string>
#include <string_view>

// The five help messages of the help buttons, in standard C++ for every front end. A line
// break is stored as LF then CR; each pair ends one line, and two pairs in a row leave a blank
// line.
namespace talveno::window::help {

// Button6, input page: how the asphalt volume and void percentages are obtained.
inline constexpr std::string_view kHelp1 =
    "■ アス容積率とは、アスファルト容積率のことで、次式により算出します。\n\r"
    "\n\r"
    "アス容積率（ｖ％）＝アスファルト混合物の密度（g/"
    "cm3）×アスファルト量（w％）÷アスファルトの密度（g/cm3）\n\r"
    "\n\r"
    "■ 空隙率は、次式により算出します。\n\r"
    "\n\r"
    "空隙率（ｖ％）＝（1－（アスファルト混合物の密度（g/cm3）÷理論最大密度（g/cm3）））×100\n\r"
    "\n\r"
    "ここに、\n\r"
    "　　　　ｖ％ ： 容積百分率、ｗ％ ： 質量百分率";

// Button5, result page: the aggregate volume concentration, the Van Draat correction, Sbit and
// Smix.
inline constexpr std::string_view kHelp2 =
    "■ 骨材体積率Cｖは、次式により算出しています。\n\r"
    "\n\r"
    "   骨材体積率（％） ＝ 骨材の体積 ÷（骨材の体積＋アスファルトの体積）×100\n\r"
    "   　　　　　　　　　　  ＝ "
    "（100－アスファルト容積率（ｖ％）－空隙率（ｖ％））÷（100－空隙率（ｖ％））×100\n\r"
    "\n\r"
    "■　Van Draatらによる補正を行う場合は、次式により算出した補正CvをCvに代えて使用します。\n\r"
    "\n\r"
    "　　補正Cv（％）　＝　Cv（％） ÷（1＋（空隙率（％）－3）/100）\n\r"
    "\n\r"
    "\n\r"
    "■ Sbit、Smixはそれぞれバインダ、アスファルト混合物のスティフネスのことです。\n\r";

// Button10, row editing frame: the four row editing buttons.
inline constexpr std::string_view kHelp3 =
    "■1行目コピー　：　１行目のデータを末尾の行にコピーします。\n\r"
    "\n\r"
    "■任意行コピー　：　指定した任意の行のデータを末尾の行にコピーします。\n\r"
    "\n\r"
    "■全部クリア　：　全データをクリアします。\n\r"
    "\n\r"
    "■部分クリア　：　指定した範囲の行のデータをクリアして行を詰めます。\n\r"
    "\n\r"
    "※　任意行コピーと部分クリアを利用する場合には、行Noを入力して下さい。";

// Button11, start page: the Van Draat correction.
inline constexpr std::string_view kHelp4 =
    "■ Van Draatらが提唱しているアスファルト混合物の空隙率による補正です。\n\r"
    "\n\r"
    "  空隙率が３％を超える混合物について、骨材体積率を補正します。\n\r";

// Button12, start page: the maximum data count.
inline constexpr std::string_view kHelp5 =
    "■ 取り扱うデータ数の上限値を指定します。\n\r"
    "\n\r"
    "  解析するデータ数が50個未満であれば、このままでOKです。\n\r";

// Help message 1 to 5 as stored; any other number is a fault (std::invalid_argument).
std::string_view message(int number);

// A stored text as the information box shows it: each LF CR pair one line break (LF).
std::string displayed(std::string_view text);

}  // namespace talveno::window::help
