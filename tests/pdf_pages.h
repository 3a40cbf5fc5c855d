#pragma once

#include <cstdio>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

// Reading printed listings back from PDF files with poppler's pdfinfo and pdftotext.
namespace talveno::testing {

// What a shell command writes to its standard output.
inline std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            output.append(buffer, n);
        ::pclose(pipe);
    }
    return output;
}

// A line with its runs of blanks, ideographic spaces included, folded into one blank and none
// at either end: the positions of a proportional font do not give the blanks back.
inline std::string folded(std::string_view line) {
    std::string text;
    bool blank = true;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const bool ideographic = line.substr(i, 3) == "\u3000";
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\f' || ideographic) {
            if (ideographic) i += 2;
            if (!blank) text += ' ';
            blank = true;
        } else {
            text += line[i];
            blank = false;
        }
    }
    if (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The lines of a text that are not empty, folded.
inline std::vector<std::string> foldedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (const std::string f = folded(line); !f.empty()) lines.push_back(f);
    return lines;
}

inline int pdfPageCount(const std::string& path) {
    const std::string info = commandOutput("pdfinfo '" + path + "' 2>/dev/null");
    const std::size_t pages = info.find("Pages:");
    return pages == std::string::npos ? 0 : std::stoi(info.substr(pages + 6));
}

// Each page's folded lines, as pdftotext lays them out.
inline std::vector<std::vector<std::string>> pdfPages(const std::string& path) {
    std::vector<std::vector<std::string>> pages;
    for (int page = 1, count = pdfPageCount(path); page <= count; ++page) {
        const std::string number = std::to_string(page);
        pages.push_back(foldedLines(commandOutput("pdftotext -layout -f " + number + " -l " +
                                                  number + " '" + path + "' - 2>/dev/null")));
    }
    return pages;
}

}  // namespace talveno::testing
