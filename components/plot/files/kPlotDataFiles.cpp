#include "components/plot/files/kPlotDataFiles.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

#include "components/plot/files/kPlotFileIO.h"

namespace {

constexpr std::string_view kCompactTitle = "Compact Interval";
constexpr Single kMissingValue = 1.0e38f;
constexpr Single kEndMark = 2.0e38f;
// Values from here up are missing ones; beyond kEndMarkLimit only the end
// mark may stand.
constexpr Single kMissingLimit = 9.0e37f;
constexpr Single kEndMarkLimit = 1.5e38f;

Integer MaxCount(TkPlotChannelList Channels)
{
    Integer rows = 0;
    for (const TkPlotDataColumn& column : Channels) rows = std::max(rows, column.Points->Count());
    return rows;
}

// --- text -----------------------------------------------------------------------------

// "Null" before "Empty": a point can be both.
void AppendYField(std::string& Out, const TkPlotNumberText& Numbers, const TkPlotDataCustomList& Points, Integer Index)
{
    if (Points.GetNull(Index))
        Out += "Null";
    else if (Points.GetEmpty(Index))
        Out += "Empty";
    else
        Numbers.Append(Out, Points.GetY(Index));
}

String HeaderTitle(const TkPlotDataColumn& Column)
{
    String title = Column.Title;
    // A separator or line break in a title would make another header, and
    // no control character belongs in a text file.
    std::replace_if(title.begin(), title.end(), [](char c) { return static_cast<unsigned char>(c) < ' '; }, ' ');
    return title;
}

bool StartsWithXColumn(std::string_view Line) { return Line.size() >= 3 && SameText(Line.substr(0, 3), "(X)"); }

char DetectSeparator(std::string_view FirstLine) { return FirstLine.find('\t') != std::string_view::npos ? '\t' : ','; }

// The Y field of a text row; false for an empty field, which adds no point.
bool ReadYField(std::string_view Text, Double X, const TkPlotNumberText& Numbers, TkPlotFilePoint& Point)
{
    Text = TrimView(Text);
    if (Text.empty()) return false;
    if (SameText(Text, "NULL"))
        Point = {X, 0.0, TkPlotPointKind::Null};
    else if (SameText(Text, "EMPTY"))
        Point = {X, 0.0, TkPlotPointKind::Empty};
    else
        Point = {X, Numbers.ReadOrRaise(Text), TkPlotPointKind::Valid};
    return true;
}

// Room in every channel for a point from each row like the first one in the
// rest of the file: growing the vectors of a long file costs more than
// reading it. Within twice the file's size in all, whatever the first row.
void ReserveForRows(TkPlotFileChannels& Data, std::size_t RowBytes, std::size_t RestBytes)
{
    if (Data.empty()) return;
    const std::size_t rows = RestBytes / std::max<std::size_t>(RowBytes, 1) + 1;
    const std::size_t limit = 2 * RestBytes / (Data.size() * sizeof(TkPlotFilePoint)) + 1;
    for (auto& points : Data) points.reserve(std::min(rows, limit));
}

// Runs Read for every line but the header, with its fields; what a line
// raises names the line.
template <class F>
void ForEachRow(TkTextLineReader& Lines, char Separator, TkPlotFileChannels& Data, F Read)
{
    std::vector<std::string_view> fields;
    std::string_view line;
    for (bool first = true; Lines.Next(line, Separator, fields); first = false) {
        if (first) ReserveForRows(Data, line.size() + 1, Lines.RestSize());
        try {
            Read(fields);
        } catch (const EConvertError& e) {
            RaiseLineError(Lines.LineNumber(), e.Message());
        }
    }
}

void ReadXYPairs(TkTextLineReader& Lines, char Separator, const TkPlotNumberText& Numbers, TkPlotFileChannels& Data)
{
    ForEachRow(Lines, Separator, Data, [&](const std::vector<std::string_view>& Fields) {
        const std::size_t pairs = std::min(Fields.size() / 2, Data.size());
        for (std::size_t p = 0; p < pairs; ++p) {
            const std::string_view xText = TrimView(Fields[2 * p]);
            if (xText.empty()) continue;
            TkPlotFilePoint point;
            if (ReadYField(Fields[2 * p + 1], Numbers.ReadOrRaise(xText), Numbers, point)) Data[p].push_back(point);
        }
    });
}

void ReadSharedX(TkTextLineReader& Lines, char Separator, const TkPlotNumberText& Numbers, TkPlotFileChannels& Data)
{
    ForEachRow(Lines, Separator, Data, [&](const std::vector<std::string_view>& Fields) {
        const std::string_view xText = Fields.empty() ? std::string_view() : TrimView(Fields[0]);
        if (xText.empty()) return;
        const Double x = Numbers.ReadOrRaise(xText);
        const std::size_t columns = std::min(Fields.size() - 1, Data.size());
        for (std::size_t i = 0; i < columns; ++i) {
            TkPlotFilePoint point;
            if (ReadYField(Fields[i + 1], x, Numbers, point)) Data[i].push_back(point);
        }
    });
}

// --- compact ------------------------------------------------------------------------------

// The single that stands for Value in the compact form; false for a value
// the form cannot hold: no number, an infinity, one beyond the singles or
// one that would read as missing.
bool CompactSingle(Double Value, Single& Out)
{
    if (!(Value >= -std::numeric_limits<Single>::max() && Value < kMissingLimit)) return false;
    Out = static_cast<Single>(Value);
    return Out < kMissingLimit;
}

// Little-endian, whatever the host.
char* PutSingle(char* At, Single Value)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, &Value, sizeof bits);
    for (int i = 0; i < 4; ++i) At[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
    return At + 4;
}

void AppendSingle(std::string& Out, Single Value)
{
    char bytes[4];
    PutSingle(bytes, Value);
    Out.append(bytes, 4);
}

Single SingleAt(std::string_view Bytes, std::size_t Offset)
{
    const auto* b = reinterpret_cast<const unsigned char*>(Bytes.data() + Offset);
    const std::uint32_t bits = std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 |
                               std::uint32_t(b[3]) << 24;
    Single value = 0;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// What becomes of a value the compact form cannot hold: a data file
// refuses it, naming the point; a log, which must go on, writes it missing.
enum class TUnheldValue { Refused, Missing };

[[noreturn]] void RaiseUnheldValue(const TkPlotDataColumn& Column, std::size_t Channel, Integer Point, char Axis,
                                   Double Value)
{
    throw EConvertError("channel " + IntToStr(static_cast<Int64>(Channel)) + " \"" + HeaderTitle(Column) +
                        "\", point " + IntToStr(Point) + ": a Compact Interval file cannot hold its " + Axis +
                        " value " + FloatToStr(Value) + ": it holds single floats below 9E37 only");
}

char* PutCompactRow(char* At, TkPlotChannelList Channels, Integer Row, TUnheldValue Unheld)
{
    const auto put = [&](std::size_t Channel, char Axis, Double Value) {
        Single single = kMissingValue;
        if (!CompactSingle(Value, single) && Unheld == TUnheldValue::Refused)
            RaiseUnheldValue(Channels[Channel], Channel, Row, Axis, Value);
        At = PutSingle(At, single);
    };
    for (std::size_t c = 0; c < Channels.size(); ++c) {
        const TkPlotDataCustomList& points = *Channels[c].Points;
        if (Row < 0 || Row >= points.Count()) {
            if (Row < 2) At = PutSingle(At, kMissingValue);
            At = PutSingle(At, kMissingValue);
            continue;
        }
        if (Row < 2) put(c, 'X', points.GetX(Row));
        put(c, 'Y', points.GetY(Row));
    }
    return At;
}

// One header line of the compact form, CR or LF not included; Rest moves
// past its line break.
std::string_view TakeHeaderLine(std::string_view& Rest, Integer Line)
{
    const std::size_t end = Rest.find('\n');
    if (end == std::string_view::npos) RaiseLineError(Line, "the header line has no line break");
    std::string_view line = Rest.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    Rest.remove_prefix(end + 1);
    return line;
}

Integer ReadChannelCount(std::string_view Text, Integer Line)
{
    Integer count = 0;
    if (!TryStrToInt(TrimView(Text), count)) RaiseLineError(Line, "'" + TextExcerpt(Text) + "' is no channel count");
    if (count < 0) RaiseLineError(Line, "the channel count " + IntToStr(count) + " is below 0");
    return count;
}

// Rows of a compact body of Floats values for Channels channels: two rows
// of X and Y, then rows of Y. A body that ends inside a row raises, naming
// the row.
Int64 CompactRowCount(Int64 Floats, Int64 Channels)
{
    if (Floats == 0) return 0;
    if (Channels == 0)
        throw EConvertError("Invalid Data - " + IntToStr(Floats) + " values follow a channel count of 0");
    const Int64 wide = std::min<Int64>(Floats, 4 * Channels);
    const Int64 rows = wide / (2 * Channels) + (Floats - wide) / Channels;
    const Int64 left = wide % (2 * Channels) + (Floats - wide) % Channels;
    if (left != 0)
        throw EConvertError("Invalid Data - the file ends inside row " + IntToStr(rows) + " after " +
                            IntToStr(left) + " of its values");
    return rows;
}

// Whole rows of Channels values after a header of HeaderLength bytes, and
// no data file's end mark after them.
void CheckCompactLogBody(const TkFileEnds& Log, std::size_t HeaderLength, Integer Channels)
{
    const Int64 body = Log.Size - static_cast<Int64>(HeaderLength);
    if (body < 0 || body % 4 != 0) throw EConvertError("the log ends inside a value");
    if (body > 0) {
        if (Log.Tail.size() < 4) throw EConvertError("the log's last value is missing");
        const Single last = SingleAt(Log.Tail, Log.Tail.size() - 4);
        if (!std::isfinite(last) || last > kEndMarkLimit)
            throw EConvertError("the log ends with the end mark of a data file");
    }
    CompactRowCount(body / 4, Channels);
}

[[noreturn]] void RaiseRecordError(Int64 Row, Int64 Channel, const String& Message)
{
    throw EConvertError("row " + IntToStr(Row) + ", channel " + IntToStr(Channel) + ": " + Message);
}

// Whether Value is a value (false for a missing one); raises for what no
// writer stores.
bool CheckedValue(Single Value, Int64 Row, Int64 Channel)
{
    if (!std::isfinite(Value) || Value > kEndMarkLimit)
        RaiseRecordError(Row, Channel, "value beyond the range of single floats");
    return Value < kMissingLimit;
}

// Whether every value of Body passes CheckedValue, four at a time in the
// compiler's vector extension (a NaN fails both comparisons); false on a
// host whose floats are not little-endian, which the value by value check
// serves.
bool AllValuesChecked(std::string_view Body)
{
    if constexpr (std::endian::native != std::endian::little) return false;
    using TFloats = Single __attribute__((vector_size(16)));
    using TMasks = std::int32_t __attribute__((vector_size(16)));
    constexpr std::size_t kStep = sizeof(TFloats);
    TMasks good = ~TMasks{};
    std::size_t at = 0;
    for (; at + kStep <= Body.size(); at += kStep) {
        TFloats values;
        std::memcpy(&values, Body.data() + at, kStep);
        good &= (values >= -std::numeric_limits<Single>::max()) & (values <= kEndMarkLimit);
    }
    bool all = true;
    for (std::size_t k = 0; k < kStep / sizeof(Single); ++k) all = all && good[k] != 0;
    for (; at < Body.size(); at += sizeof(Single)) {
        const Single value = SingleAt(Body, at);
        all = all && std::isfinite(value) && value <= kEndMarkLimit;
    }
    return all;
}

}  // namespace

// ===========================================================================
// Writers
// ===========================================================================

std::string PlotTextData(TkPlotChannelList Channels, char Separator)
{
    const TkPlotNumberText numbers(Separator);
    std::string out;
    for (std::size_t c = 0; c < Channels.size(); ++c) {
        const String title = HeaderTitle(Channels[c]);
        if (c > 0) out += Separator;
        out += title + "(X)" + Separator + title + "(Y)";
    }
    // The shared-X header starts so: an XY-pairs file never may.
    if (StartsWithXColumn(out)) out.insert(0, 1, ' ');
    out += "\r\n";
    const Integer rows = MaxCount(Channels);
    out.reserve(out.size() + static_cast<std::size_t>(rows) * Channels.size() * 24);
    for (Integer r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < Channels.size(); ++c) {
            const TkPlotDataCustomList& points = *Channels[c].Points;
            if (c > 0) out += Separator;
            if (r >= points.Count()) {
                out += Separator;
                continue;
            }
            numbers.Append(out, points.GetX(r));
            out += Separator;
            AppendYField(out, numbers, points, r);
        }
        out += "\r\n";
    }
    return EncodeTextFile(std::move(out));
}

std::string PlotCompactHeader(Integer ChannelCount)
{
    return std::string(kCompactTitle) + "\r\n" + IntToStr(ChannelCount) + "\r\n";
}

namespace {

std::string CompactRows(TkPlotChannelList Channels, Integer FirstRow, Integer Rows, TUnheldValue Unheld)
{
    const Int64 first = std::max(FirstRow, 0);
    const Int64 stop = static_cast<Int64>(FirstRow) + std::max(Rows, 0);
    if (stop <= first) return {};
    const auto channels = static_cast<Int64>(Channels.size());
    // Rows 0 and 1 hold X and Y, the others Y alone.
    const Int64 wide = std::max<Int64>(std::min<Int64>(stop, 2) - first, 0);
    std::string out(static_cast<std::size_t>(4 * channels * (stop - first + wide)), '\0');
    char* at = out.data();
    for (Int64 r = first; r < stop; ++r) at = PutCompactRow(at, Channels, static_cast<Integer>(r), Unheld);
    return out;
}

}  // namespace

std::string PlotCompactRows(TkPlotChannelList Channels, Integer FirstRow, Integer Rows)
{
    return CompactRows(Channels, FirstRow, Rows, TUnheldValue::Missing);
}

std::string PlotCompactData(TkPlotChannelList Channels)
{
    std::string out = PlotCompactHeader(static_cast<Integer>(Channels.size()));
    out += CompactRows(Channels, 0, MaxCount(Channels), TUnheldValue::Refused);
    AppendSingle(out, kEndMark);
    return out;
}

std::string PlotTextLogHeader(TkPlotChannelList Channels, char Separator)
{
    std::string out = "(X)";
    for (const TkPlotDataColumn& column : Channels) out += Separator + HeaderTitle(column) + "(Y)";
    // The rows that follow are ASCII, the same bytes in either encoding:
    // the header decides the log's for good.
    return EncodeTextFile(out + "\r\n");
}

std::string PlotTextLogRows(TkPlotChannelList Channels, char Separator, Integer FirstRow, Integer Rows)
{
    if (Channels.empty()) return {};
    const TkPlotNumberText numbers(Separator);
    std::string out;
    const TkPlotDataCustomList& first = *Channels[0].Points;
    for (Integer r = std::max(FirstRow, 0); r < FirstRow + Rows && r < first.Count(); ++r) {
        numbers.Append(out, first.GetX(r));
        for (const TkPlotDataColumn& column : Channels) {
            out += Separator;
            if (r < column.Points->Count()) AppendYField(out, numbers, *column.Points, r);
        }
        out += "\r\n";
    }
    return out;
}

// ===========================================================================
// Readers
// ===========================================================================

bool IsCompactIntervalText(std::string_view FirstLine) { return SameText(FirstLine, kCompactTitle); }

TkPlotFileChannels ReadPlotTextData(std::string_view Bytes, Integer ChannelCount)
{
    TkTextLineReader lines(Bytes);
    std::string_view header;
    if (!lines.Next(header)) throw EConvertError("the file is empty");
    CheckTextBytes(Bytes);
    // A header and no row is a file; one line alone is none of this form.
    if (Bytes.find_first_of("\r\n") == std::string_view::npos)
        throw EConvertError("the file holds no line break: it is no data file");
    const char separator = DetectSeparator(header);
    const TkPlotNumberText numbers(separator);
    TkPlotFileChannels data(static_cast<std::size_t>(std::max(ChannelCount, 0)));
    if (StartsWithXColumn(header))
        ReadSharedX(lines, separator, numbers, data);
    else
        ReadXYPairs(lines, separator, numbers, data);
    return data;
}

TkPlotFileChannels ReadPlotCompactData(std::string_view Bytes, Integer ChannelCount)
{
    // Only the file data takes either form; this reader's callers ask for
    // the compact one.
    std::string_view head = Bytes;
    if (!IsCompactIntervalText(TakeHeaderLine(head, 1))) RaiseLineError(1, "no Compact Interval file");
    const TkPlotDataFile file(Bytes, ChannelCount);
    TkPlotFileChannels data(file.ChannelCount());
    for (std::size_t c = 0; c < data.size(); ++c) {
        data[c].reserve(file.PointCount(c));
        file.ForEachBlock(c, [&points = data[c]](std::span<const TkPlotFilePoint> Points) {
            points.insert(points.end(), Points.begin(), Points.end());
        });
    }
    return data;
}

// The compact form is checked value by value in file order, so that the
// first bad value is the one named; its points are made when given.
TkPlotDataFile::TkPlotDataFile(std::string_view Bytes, Integer ChannelCount)
{
    TkTextLineReader lines(Bytes);
    std::string_view first;
    FCompact = lines.Next(first) && IsCompactIntervalText(first);
    if (!FCompact) {
        FText = ReadPlotTextData(Bytes, ChannelCount);
        FChannels = FText.size();
        return;
    }
    std::string_view rest = Bytes;
    if (!IsCompactIntervalText(TakeHeaderLine(rest, 1))) RaiseLineError(1, "no Compact Interval file");
    FWidth = ReadChannelCount(TakeHeaderLine(rest, 2), 2);
    if (rest.size() % 4 != 0) throw EConvertError("Invalid Data - the file ends inside a value");
    Int64 floats = static_cast<Int64>(rest.size() / 4);
    if (floats > 0 && SingleAt(rest, rest.size() - 4) > kEndMarkLimit) --floats;  // the data file's end mark
    FRows = CompactRowCount(floats, FWidth);
    FBody = rest.substr(0, static_cast<std::size_t>(floats) * 4);
    FChannels = static_cast<std::size_t>(std::min<Int64>(std::max(ChannelCount, 0), FWidth));
    FPointCounts.assign(FChannels, 0);
    if (FRows == 0) return;
    // Whole rows were checked for: the channel count is within the file's
    // size. Only a file with a bad value is walked to name the first.
    std::size_t at = 0;
    if (!AllValuesChecked(FBody))
        for (Int64 r = 0; r < FRows; ++r)
            for (Int64 c = 0, values = r < 2 ? 2 * FWidth : FWidth; c < values; ++c, at += 4)
                CheckedValue(SingleAt(FBody, at), r, r < 2 ? c / 2 : c);
    const auto width = static_cast<std::size_t>(FWidth);
    FFirstX.assign(width, 0.0);
    FStep.assign(width, 0.0);
    FXKnown.assign(width, true);
    for (std::size_t c = 0; c < width; ++c) {
        const Single x0 = SingleAt(FBody, 8 * c);
        FFirstX[c] = x0;
        FXKnown[c] = x0 < kMissingLimit;
        if (FRows < 2) continue;
        const Single x1 = SingleAt(FBody, 8 * (width + c));
        FStep[c] = x1 - FFirstX[c];
        FXKnown[c] = FXKnown[c] && x1 < kMissingLimit;
    }
    CountPoints();
}

std::size_t TkPlotDataFile::PointCount(std::size_t Channel) const
{
    return FCompact ? FPointCounts[Channel] : FText[Channel].size();
}

// The points ForEachBlock gives, counted from the values: a point in row
// 0 or 1 needs its X and Y, a later one its Y and both X values of its
// channel.
void TkPlotDataFile::CountPoints()
{
    const auto width = static_cast<std::size_t>(FWidth);
    const auto rows = static_cast<std::size_t>(FRows);
    for (std::size_t r = 0; r < std::min<std::size_t>(rows, 2); ++r)
        for (std::size_t c = 0; c < FChannels; ++c)
            FPointCounts[c] += SingleAt(FBody, 4 * (2 * width * r + 2 * c)) < kMissingLimit &&
                               SingleAt(FBody, 4 * (2 * width * r + 2 * c + 1)) < kMissingLimit;
    for (std::size_t c = 0; c < FChannels; ++c) {
        if (!FXKnown[c]) continue;
        std::size_t count = 0;
        for (std::size_t r = 2, at = 4 * (4 * width + c); r < rows; ++r, at += 4 * width)
            count += SingleAt(FBody, at) < kMissingLimit;
        FPointCounts[c] += count;
    }
}

// Rows 0 and 1 give their own X (a missing one leaves its point out);
// later rows' X follow from them, and a missing Y leaves its point out.
void TkPlotDataFile::ForEachBlock(std::size_t Channel, const TTake& Take) const
{
    if (!FCompact) {
        if (!FText[Channel].empty()) Take(FText[Channel]);
        return;
    }
    if (FRows == 0) return;
    constexpr std::size_t kBlock = 4096;
    std::vector<TkPlotFilePoint> block(kBlock);
    std::size_t count = 0;
    const auto width = static_cast<std::size_t>(FWidth);
    const auto rows = static_cast<std::size_t>(FRows);
    const auto put = [&](Double X, Single Y) {
        if (!(Y < kMissingLimit)) return;
        block[count++] = {X, Y, TkPlotPointKind::Valid};
        if (count < kBlock) return;
        Take(std::span<const TkPlotFilePoint>(block.data(), count));
        count = 0;
    };
    for (std::size_t r = 0; r < std::min<std::size_t>(rows, 2); ++r) {
        const Single x = SingleAt(FBody, 4 * (2 * width * r + 2 * Channel));
        if (x < kMissingLimit) put(x, SingleAt(FBody, 4 * (2 * width * r + 2 * Channel + 1)));
    }
    if (FXKnown[Channel]) {
        const Double firstX = FFirstX[Channel];
        const Double step = FStep[Channel];
        for (std::size_t r = 2, at = 4 * (4 * width + Channel); r < rows; ++r, at += 4 * width)
            put(firstX + static_cast<Double>(r) * step, SingleAt(FBody, at));
    }
    if (count != 0) Take(std::span<const TkPlotFilePoint>(block.data(), count));
}

TkPlotFileChannels ReadPlotData(std::string_view Bytes, Integer ChannelCount)
{
    TkTextLineReader lines(Bytes);
    std::string_view first;
    if (lines.Next(first) && IsCompactIntervalText(first)) return ReadPlotCompactData(Bytes, ChannelCount);
    return ReadPlotTextData(Bytes, ChannelCount);
}

void CheckLogEndsWithLine(std::string_view Tail)
{
    if (!Tail.empty() && !Tail.ends_with('\n')) throw EConvertError("the log ends inside a row");
}

Integer PlotLogChannelCount(const TkFileEnds& Log, bool Compact, char Separator)
{
    TkTextLineReader lines(Log.Head);
    std::string_view first;
    std::vector<std::string_view> fields;
    if (!lines.Next(first, Separator, fields)) throw EConvertError("the log has no header");
    if (Compact != IsCompactIntervalText(first))
        throw EConvertError(Compact ? "the log is no Compact Interval file" : "the log is no text file");
    if (Compact) {
        std::string_view rest = Log.Head;
        TakeHeaderLine(rest, 1);
        const Integer channels = ReadChannelCount(TakeHeaderLine(rest, 2), 2);
        CheckCompactLogBody(Log, Log.Head.size() - rest.size(), channels);
        return channels;
    }
    if (!StartsWithXColumn(first)) RaiseLineError(1, "the header does not start with the X column");
    CheckLogEndsWithLine(Log.Tail);
    return static_cast<Integer>(fields.size()) - 1;
}

// ===========================================================================
// A channel's own data file
// ===========================================================================

std::string ChannelTextData(const TkPlotDataCustomList& Points, char Separator)
{
    const TkPlotNumberText numbers(Separator);
    std::string out;
    out.reserve(static_cast<std::size_t>(Points.Count()) * 24);
    for (Integer i = 0; i < Points.Count(); ++i) {
        if (Points.GetEmpty(i) && !Points.GetNull(i)) continue;
        numbers.Append(out, Points.GetX(i));
        out += Separator;
        if (Points.GetNull(i))
            out += "Null";
        else
            numbers.Append(out, Points.GetY(i));
        out += "\r\n";
    }
    return out;
}

std::string ChannelLogLines(const TkPlotDataCustomList& Points, char Separator, Integer FirstIndex, Integer Count)
{
    const TkPlotNumberText numbers(Separator);
    std::string out;
    const Integer stop = std::min(FirstIndex + std::max(Count, 0), Points.Count());
    for (Integer i = std::max(FirstIndex, 0); i < stop; ++i) {
        numbers.Append(out, Points.GetX(i));
        out += Separator;
        numbers.Append(out, Points.GetY(i));
        out += "\r\n";
    }
    return out;
}

std::vector<TkPlotFilePoint> ReadChannelTextData(std::string_view Bytes)
{
    TkTextLineReader lines(Bytes);
    std::string_view line;
    std::vector<TkPlotFilePoint> points;
    if (!lines.Next(line)) return points;
    CheckTextBytes(Bytes);
    const char separator = DetectSeparator(line);
    const TkPlotNumberText numbers(separator);
    bool recognised = false;
    do {
        const std::size_t at = line.find(separator);
        const std::string_view xText = at == std::string_view::npos ? std::string_view() : TrimView(line.substr(0, at));
        if (xText.empty()) continue;
        recognised = true;
        try {
            const std::string_view yText = TrimView(line.substr(at + 1));
            const Double x = numbers.ReadOrRaise(xText);
            if (SameText(yText, "NULL"))
                points.push_back({x, 0.0, TkPlotPointKind::Null});
            else
                points.push_back({x, numbers.ReadOrRaise(yText), TkPlotPointKind::Valid});
        } catch (const EConvertError& e) {
            RaiseLineError(lines.LineNumber(), e.Message());
        }
    } while (lines.Next(line));
    // Lines, and none of this form: a file of another kind.
    if (!recognised) throw EConvertError("no line holds a number and a column separator: it is no channel data file");
    return points;
}
