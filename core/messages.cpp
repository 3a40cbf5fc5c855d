#include "core/messages.h"

#include "core/number_text.h"

namespace talveno::messages {

namespace {

std::string replaced(std::string_view pattern, std::string_view placeholder,
                     std::string_view value) {
    std::string text(pattern);
    text.replace(text.find(placeholder), placeholder.size(), value);
    return text;
}

}  // namespace

Failure notAnInteger(std::string_view text) {
    return Failure(replaced("'%s' は整数ではありません", "%s", text));
}

Failure notANumber(std::string_view text) {
    return Failure(replaced("'%s' は浮動小数点数ではありません", "%s", text));
}

Failure divisionByZero() {
    return Failure("0 による浮動小数点数除算");
}

Failure invalidOperation() {
    return Failure("不正な浮動小数点数演算命令");
}

Failure overflow() {
    return Failure("浮動小数点数のオーバーフロー");
}

Failure rowIndexOutOfRange(long long index) {
    return Failure(
        replaced("リストのインデックスが範囲を超えています (%d)", "%d", std::to_string(index)));
}

Failure temperatureDifferenceOutOfRange(double difference) {
    return Failure(replaced("軟化点と温度の差が -130～200℃ の範囲外です (%s)", "%s",
                            shortestText(difference)));
}

Failure outOfMemory() {
    return Failure("メモリが不足しているため、処理を中止しました");
}

Failure nomographOutOfRange() {
    return Failure("ノモグラフの読取り範囲外です (載荷時間が長すぎます)");
}

}  // namespace talveno::messages
