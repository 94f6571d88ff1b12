#include "stand/stand_log.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "files/encoding.h"
#include "model/number_text.h"

namespace tarvo {
namespace {

enum class Quantity { kTime, kThrust, kPressure };
constexpr std::size_t kQuantityCount = 3;

// How messages speak of a column, and the units it may carry.
struct QuantityText {
    std::string_view genitive;  // "нет значения тяги"
    std::string_view units;     // the units the column may be given in
};
constexpr std::array<QuantityText, kQuantityCount> kQuantityTexts = {{
    {"времени", "s, ms, с, мс"},
    {"тяги", "N, kgf, lbf, Н, кгс"},
    {"давления", "MPa, kPa, bar, psi, МПа, кПа, бар"},
}};

const QuantityText& TextOf(Quantity quantity) {
    return kQuantityTexts[static_cast<std::size_t>(quantity)];
}

// Units (letter case folded) and their factors to s, N and MPa. A kilogram-force is a kilogram
// under standard gravity; the pound-force and psi follow from the international pound and inch.
struct UnitName {
    std::string_view name;
    Quantity quantity;
    double factor;
};
constexpr UnitName kUnits[] = {
    {"s", Quantity::kTime, 1.0},
    {"с", Quantity::kTime, 1.0},
    {"sec", Quantity::kTime, 1.0},
    {"сек", Quantity::kTime, 1.0},
    {"ms", Quantity::kTime, 1e-3},
    {"мс", Quantity::kTime, 1e-3},
    {"n", Quantity::kThrust, 1.0},
    {"н", Quantity::kThrust, 1.0},
    {"kgf", Quantity::kThrust, 9.80665},
    {"кгс", Quantity::kThrust, 9.80665},
    {"lbf", Quantity::kThrust, 4.4482216152605},
    {"mpa", Quantity::kPressure, 1.0},
    {"мпа", Quantity::kPressure, 1.0},
    {"kpa", Quantity::kPressure, 1e-3},
    {"кпа", Quantity::kPressure, 1e-3},
    {"bar", Quantity::kPressure, 0.1},
    {"бар", Quantity::kPressure, 0.1},
    {"psi", Quantity::kPressure, 6.894757293168361e-3},
    {"psig", Quantity::kPressure, 6.894757293168361e-3},
};

// Column names, letter case folded. A one-letter name counts only as the first word of a
// header cell; the others anywhere in it ("Chamber pressure", "Давление в камере").
struct ColumnName {
    std::string_view name;
    Quantity quantity;
};
constexpr ColumnName kColumnNames[] = {
    {"t", Quantity::kTime},
    {"time", Quantity::kTime},
    {"время", Quantity::kTime},
    {"f", Quantity::kThrust},
    {"thrust", Quantity::kThrust},
    {"тяга", Quantity::kThrust},
    {"p", Quantity::kPressure},
    {"pressure", Quantity::kPressure},
    {"давление", Quantity::kPressure},
};

// Where a quantity stands in a data line and what turns its values into s, N or MPa.
struct Column {
    std::size_t index = 0;
    double factor = 1.0;
    bool present = false;
};
using Columns = std::array<Column, kQuantityCount>;

Column& ColumnOf(Columns& columns, Quantity quantity) {
    return columns[static_cast<std::size_t>(quantity)];
}

enum class Separator { kComma, kSemicolon, kTab, kBlanks };

std::string_view Trim(std::string_view text) {
    return TrimBlanks(text);
}

std::string_view Unquote(std::string_view text) {
    text = Trim(text);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
        text = Trim(text.substr(1, text.size() - 2));
    }
    return text;
}

// Lines ended by LF, CR LF or a lone CR.
std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || text[i] == '\r') {
            lines.push_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            start = i + 1;
        }
    }
    if (start < text.size()) {
        lines.push_back(text.substr(start));
    }
    return lines;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// An optional sign, then a digit or a decimal separator followed by a digit.
bool StartsWithNumber(std::string_view line) {
    line = Trim(line);
    if (!line.empty() && (line.front() == '+' || line.front() == '-')) {
        line.remove_prefix(1);
    }
    if (!line.empty() && (line.front() == '.' || line.front() == ',')) {
        line.remove_prefix(1);
    }
    return !line.empty() && IsDigit(line.front());
}

std::vector<std::string_view> SplitAtBlanks(std::string_view line) {
    std::vector<std::string_view> cells;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && IsBlank(line[pos])) {
            ++pos;
        }
        const std::size_t start = pos;
        while (pos < line.size() && !IsBlank(line[pos])) {
            ++pos;
        }
        if (pos > start) {
            cells.push_back(Unquote(line.substr(start, pos - start)));
        }
    }
    return cells;
}

std::vector<std::string_view> SplitCells(std::string_view line, Separator separator) {
    if (separator == Separator::kBlanks) {
        return SplitAtBlanks(line);
    }
    const char mark = separator == Separator::kComma ? ','
                      : separator == Separator::kTab ? '\t'
                                                     : ';';
    std::vector<std::string_view> cells;
    std::size_t start = 0;
    bool quoted = false;  // a separator between double quotes belongs to the cell: "Time, s"
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == mark && !quoted) {
            cells.push_back(Unquote(line.substr(start, i - start)));
            start = i + 1;
        }
    }
    cells.push_back(Unquote(line.substr(start)));
    while (!cells.empty() && cells.back().empty()) {
        cells.pop_back();  // "0,1;25,3;" ends with an empty cell
    }
    return cells;
}

// The separator of the first data line. A comma separates cells unless the line reads as
// numbers with decimal commas between blanks ("0,001 12,5").
Separator DetectSeparator(std::string_view line) {
    if (line.find(';') != std::string_view::npos) {
        return Separator::kSemicolon;
    }
    if (line.find('\t') != std::string_view::npos) {
        return Separator::kTab;
    }
    if (line.find(',') == std::string_view::npos) {
        return Separator::kBlanks;
    }
    const std::vector<std::string_view> cells = SplitAtBlanks(line);
    const bool decimalCommas =
        cells.size() >= 2 && std::all_of(cells.begin(), cells.end(), [](std::string_view cell) {
            return ParseNumber(cell).has_value();
        });
    return decimalCommas ? Separator::kBlanks : Separator::kComma;
}

std::string Quoted(std::string_view text) {
    return "«" + std::string(text) + "»";
}

// ---- The header ----

std::vector<std::string> Words(const std::string& folded) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : folded) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || std::isalnum(byte)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty()) {
        words.push_back(std::move(word));
    }
    return words;
}

std::optional<Quantity> QuantityNamed(const std::vector<std::string>& words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        for (const ColumnName& column : kColumnNames) {
            if (words[i] == column.name && (i == 0 || column.name.size() > 1)) {
                return column.quantity;
            }
        }
    }
    return std::nullopt;
}

const UnitName* FindUnit(std::string_view folded, Quantity quantity) {
    while (!folded.empty() && folded.back() == '.') {
        folded.remove_suffix(1);  // "сек."
    }
    for (const UnitName& unit : kUnits) {
        if (unit.quantity == quantity && unit.name == folded) {
            return &unit;
        }
    }
    return nullptr;
}

// One header cell: its name, and its unit in brackets, after a comma or as a word of its own.
struct HeaderCell {
    std::optional<Quantity> quantity;
    std::string unit;  // folded; empty when the cell gives none
};

HeaderCell ReadHeaderCell(std::string_view cell) {
    std::string_view name = cell;
    std::string_view unit;
    const std::size_t bracket = cell.find_first_of("[(");
    const std::size_t comma = cell.find(',');
    if (bracket != std::string_view::npos) {
        name = cell.substr(0, bracket);
        unit = cell.substr(bracket + 1);
        unit = unit.substr(0, unit.find_first_of("])"));
    } else if (comma != std::string_view::npos) {
        name = cell.substr(0, comma);
        unit = cell.substr(comma + 1);
    }
    const std::vector<std::string> words = Words(FoldCase(name));
    HeaderCell header{QuantityNamed(words), FoldCase(Trim(unit))};
    if (header.quantity && header.unit.empty()) {
        for (const std::string& word : words) {
            if (FindUnit(word, *header.quantity) != nullptr) {
                header.unit = word;
            }
        }
    }
    return header;
}

struct HeaderResult {
    std::optional<Columns> columns;  // nothing: the line is no header
    std::optional<StandLogError> error;
};

StandLogError UnitError(int lineNumber, std::string_view cell, const HeaderCell& header) {
    const QuantityText& text = TextOf(*header.quantity);
    return {lineNumber, "единица " + Quoted(header.unit) + " столбца " + Quoted(cell) +
                            " не подходит для " + std::string(text.genitive) +
                            " (можно: " + std::string(text.units) + ")"};
}

// A header names the thrust column, or at least two columns (so that a comment such as
// "Дата и время: 12:00" is none). The first cell naming a quantity is its column.
HeaderResult ReadHeader(std::string_view line, int lineNumber, Separator separator) {
    const std::vector<std::string_view> cells = SplitCells(line, separator);
    std::array<std::optional<std::size_t>, kQuantityCount> cellOf;
    std::vector<HeaderCell> headers;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        headers.push_back(ReadHeaderCell(cells[i]));
        const std::optional<Quantity> quantity = headers.back().quantity;
        if (quantity && !cellOf[static_cast<std::size_t>(*quantity)]) {
            cellOf[static_cast<std::size_t>(*quantity)] = i;
        }
    }
    const auto named = std::count_if(cellOf.begin(), cellOf.end(),
                                     [](const auto& cell) { return cell.has_value(); });
    const auto& thrust = cellOf[static_cast<std::size_t>(Quantity::kThrust)];
    if (!thrust && named < 2) {
        return {};
    }
    if (!thrust) {
        return {std::nullopt, StandLogError{lineNumber, "в заголовке нет столбца тяги"}};
    }
    if (!cellOf[static_cast<std::size_t>(Quantity::kTime)]) {
        return {std::nullopt, StandLogError{lineNumber, "в заголовке нет столбца времени"}};
    }
    Columns columns;
    for (const auto& index : cellOf) {
        if (!index) {
            continue;
        }
        const HeaderCell& header = headers[*index];
        Column column{*index, 1.0, true};
        if (!header.unit.empty()) {
            const UnitName* unit = FindUnit(header.unit, *header.quantity);
            if (unit == nullptr) {
                return {std::nullopt, UnitError(lineNumber, cells[*index], header)};
            }
            column.factor = unit->factor;
        }
        ColumnOf(columns, *header.quantity) = column;
    }
    return {columns, std::nullopt};
}

// Without a header: time in s, thrust in N and, when the first data line has a third value,
// pressure in MPa.
Columns DefaultColumns(std::size_t cellCount) {
    Columns columns;
    ColumnOf(columns, Quantity::kTime) = {0, 1.0, true};
    ColumnOf(columns, Quantity::kThrust) = {1, 1.0, true};
    ColumnOf(columns, Quantity::kPressure) = {2, 1.0, cellCount >= 3};
    return columns;
}

// ---- The data ----

class LogReader {
public:
    explicit LogReader(std::string_view text) : lines_(SplitLines(text)) {}

    StandLogResult read() {
        const auto first = std::find_if(lines_.begin(), lines_.end(), StartsWithNumber);
        if (first == lines_.end()) {
            return failure({0, "в файле нет строк с числами"});
        }
        const auto firstIndex = static_cast<std::size_t>(first - lines_.begin());
        separator_ = DetectSeparator(*first);
        if (auto error = findColumns(firstIndex)) {
            return failure(*error);
        }
        for (std::size_t i = firstIndex; i < lines_.size(); ++i) {
            if (!StartsWithNumber(lines_[i])) {
                continue;  // a comment between the samples
            }
            if (auto error = readLine(i)) {
                return failure(*error);
            }
        }
        if (result_.samples.time.size() < kMinimumStandSamples) {
            return failure({0, TooFewSamplesReason(result_.samples.time.size())});
        }
        return std::move(result_);
    }

private:
    StandLogResult failure(StandLogError error) { return {StandSamples{}, std::move(error)}; }

    // The header is the last line before the data that names the thrust column, or two columns.
    std::optional<StandLogError> findColumns(std::size_t firstData) {
        for (std::size_t i = firstData; i-- > 0;) {
            HeaderResult header = ReadHeader(lines_[i], LineNumber(i), separator_);
            if (header.error) {
                return header.error;
            }
            if (header.columns) {
                columns_ = *header.columns;
                return std::nullopt;
            }
        }
        columns_ = DefaultColumns(SplitCells(lines_[firstData], separator_).size());
        return std::nullopt;
    }

    static int LineNumber(std::size_t index) { return static_cast<int>(index) + 1; }

    std::optional<StandLogError> value(const std::vector<std::string_view>& cells,
                                       Quantity quantity, int line, double& out) const {
        const Column& column = columns_[static_cast<std::size_t>(quantity)];
        if (column.index >= cells.size() || cells[column.index].empty()) {
            return StandLogError{line, "нет значения " + std::string(TextOf(quantity).genitive)};
        }
        const std::optional<double> number = ParseNumber(cells[column.index]);
        if (!number || !std::isfinite(*number * column.factor)) {
            return StandLogError{line, Quoted(cells[column.index]) + " не число"};
        }
        out = *number * column.factor;
        return std::nullopt;
    }

    std::optional<StandLogError> readLine(std::size_t index) {
        const int line = LineNumber(index);
        const std::vector<std::string_view> cells = SplitCells(lines_[index], separator_);
        double time = 0.0;
        double thrust = 0.0;
        double pressure = 0.0;
        if (auto error = value(cells, Quantity::kTime, line, time)) {
            return error;
        }
        if (auto error = value(cells, Quantity::kThrust, line, thrust)) {
            return error;
        }
        const bool withPressure = columns_[static_cast<std::size_t>(Quantity::kPressure)].present;
        if (withPressure) {
            if (auto error = value(cells, Quantity::kPressure, line, pressure)) {
                return error;
            }
        }
        StandSamples& samples = result_.samples;
        if (!samples.time.empty() && !(time > samples.time.back())) {
            return StandLogError{line, "время " + FormatGeneral(time) +
                                           " с не больше, чем в строке " +
                                           std::to_string(previousLine_) + " (" +
                                           FormatGeneral(samples.time.back()) + " с)"};
        }
        samples.time.push_back(time);
        samples.thrust.push_back(thrust);
        if (withPressure) {
            samples.pressure.push_back(pressure);
        }
        previousLine_ = line;
        return std::nullopt;
    }

    std::vector<std::string_view> lines_;
    Separator separator_ = Separator::kBlanks;
    Columns columns_{};
    StandLogResult result_;
    int previousLine_ = 0;
};

}  // namespace

std::string TooFewSamplesReason(std::size_t count) {
    return "в файле " + std::to_string(count) + " отсчётов, нужно не меньше " +
           std::to_string(kMinimumStandSamples);
}

std::string DescribeStandLogError(const StandLogError& error) {
    return error.line > 0 ? "строка " + std::to_string(error.line) + ": " + error.reason
                          : error.reason;
}

StandLogResult ReadStandLog(std::string_view text) {
    return LogReader(text).read();
}

std::string DecodeStandLog(std::string_view bytes) {
    if (bytes.starts_with(kUtf8Bom)) {
        return std::string(bytes.substr(kUtf8Bom.size()));
    }
    if (SanitizeUtf8(bytes) == bytes) {
        return std::string(bytes);
    }
    return Windows1251ToUtf8(bytes);
}

}  // namespace tarvo
