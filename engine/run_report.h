#pragma once
// The report of one run and the Japanese texts it is made of (kept here, and only here).

#include <string>
#include <string_view>
#include <vector>

namespace dxf2csv {

namespace report_text {
inline constexpr std::string_view kRecognized = "認識した要素数 : ";
inline constexpr std::string_view kRecognizedLimit = "（５０００要素以下が必須！！）";
inline constexpr std::string_view kNotCentred = "警告！！垂直方向の文字位置が中央設定されていない。";
inline constexpr std::string_view kGroupCount = "計上した材料数 : ";
inline constexpr std::string_view kTotalCount = "計上した材料の総数 : ";
inline constexpr std::string_view kFinished = "処理終了";
} // namespace report_text

/// UTF-8 text whose lines each end with CR LF.
class RunReport {
public:
    void appendLine(std::string_view line);
    const std::string& text() const noexcept { return text_; }
    /// The lines without their CR LF.
    std::vector<std::string> lines() const;

private:
    std::string text_;
};

} // namespace dxf2csv
