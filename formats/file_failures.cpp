#include "formats/file_failures.h"

#include <cerrno>
#include <string>

namespace talveno::file_failures {

Failure fileNotFound() {
    return Failure("ファイルが見つかりません");
}

Failure invalidFileName() {
    return Failure("不正なファイル名です");
}

Failure tooManyOpenFiles() {
    return Failure("オープンしたファイルが多すぎます");
}

Failure accessDenied() {
    return Failure("ファイルへのアクセスが拒否されました");
}

Failure blockDeviceOrSocket() {
    return Failure("ブロック デバイスやソケットには保存できません");
}

Failure ioError(int error) {
    return Failure("I/O エラー (" + std::to_string(error) + ")");
}

Failure fileInUse(std::string_view path) {
    return Failure("'" + std::string(path) + "' は他のプログラムが保存中のため、保存できません");
}

Failure notAFile(std::string_view path, bool folder) {
    return Failure("'" + std::string(path) +
                   (folder ? "' はフォルダです" : "' は通常のファイルではありません"));
}

Failure systemFailure(int error) {
    switch (error) {
        case ENOENT:
            return fileNotFound();
        case ENOTDIR:
        case ENAMETOOLONG:
            return invalidFileName();
        case EMFILE:
        case ENFILE:
            return tooManyOpenFiles();
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
        case ETXTBSY:
            return accessDenied();
        default:
            return ioError(error);
    }
}

Failure notANumberToken() {
    return Failure("入力値が数値ではありません");
}

Failure emptyFile(std::string_view name) {
    return Failure("'" + std::string(name) + "' は空のファイルです");
}

Failure notTextFile(std::string_view name) {
    return Failure("'" + std::string(name) + "' は Shift-JIS のテキスト ファイルではありません");
}

Failure tooManyRecords(int limit) {
    return Failure("データ数が多すぎます (上限 " + std::to_string(limit) + ")");
}

Failure atLine(const Failure& failure, std::int64_t line) {
    return Failure(std::string(failure.message()) + "\n(" + std::to_string(line) + " 行目)",
                   failure.row());
}

Failure inFile(const Failure& failure, FileRole role, std::string_view path) {
    const char* const name = role == FileRole::Input    ? "入力ファイル"
                             : role == FileRole::Output ? "出力ファイル"
                                                        : "一時フォルダ";
    return Failure(std::string(failure.message()) + "\n(" + name + ": " + std::string(path) + ")",
                   failure.row());
}

}  // namespace talveno::file_failures
