#include "cli/ConvertOptions.h"

#include "cli/OptionTable.h"
#include "cli/OptionValues.h"
#include "pgs/BluRayForm.h"
#include "settings/SettingsTable.h"
#include "vobsub/Languages.h"
#include "vobsub/ProgramStream.h"

#include <algorithm>
#include <optional>

namespace lumelle {

namespace {

// The checks that need the form known: the frame size and rate suit it.
QString checkForm(const ConvertOptions& o)
{
    if (!WritesBluRay(o)) {
        if (!o.frameSizeText.isEmpty())
            return QStringLiteral("--frame-size is for --format pgs or bdn-xml; a DVD's frame "
                                  "follows the frame rate");
        if (!FrameRateTexts().contains(o.fpsText))
            return QStringLiteral("frame rate %1 is for --format pgs or bdn-xml; a DVD takes %2")
                .arg(o.fpsText, Listed(FrameRateTexts()));
        return QString();
    }
    if (!BluRayFrameRateTexts().contains(o.fpsText))
        return QStringLiteral("frame rate %1 has no Blu-ray video; --format %2 takes %3")
            .arg(o.fpsText, o.writePgs ? QStringLiteral("pgs") : QStringLiteral("bdn-xml"),
                 Listed(BluRayFrameRateTexts()));
    if (const QString problem =
            BluRayFormatProblem(BluRayFrameOf(o), FrameRate(o.fpsText.toLongLong()));
        !problem.isEmpty())
        return problem;
    if (o.streams.size() > 1)
        return QStringLiteral("a Blu-ray subtitle file holds one stream: --format %1 takes one "
                              "--stream (convert each file on its own)")
            .arg(o.writePgs ? QStringLiteral("pgs") : QStringLiteral("bdn-xml"));
    return QString();
}

// --default-stream: a stream's language code or its number from 1.
QString applyDefaultStream(ParseState& state)
{
    const std::vector<StreamInput>& streams = state.options.streams;
    const QString& value = state.defaultStream;
    if (value.isEmpty())
        return QString();
    if (streams.empty())
        return QStringLiteral("--default-stream picks one of the --stream files; none was given");
    bool isNumber = false;
    const int number = value.toInt(&isNumber);
    if (isNumber && number >= 1 && number <= int(streams.size())) {
        state.options.defaultStream = number - 1;
        return QString();
    }
    const QString code = IndexLanguageCode(value);
    for (std::size_t i = 0; i < streams.size(); ++i) {
        if (!code.isEmpty() && streams[i].code == code) {
            state.options.defaultStream = int(i);
            return QString();
        }
    }
    return QStringLiteral("--default-stream %1 names no stream: give the language code of one or "
                          "its number from 1 to %2")
        .arg(value)
        .arg(streams.size());
}

// The checks that need every option read: --stream makes one pair of its files alone.
QString checkStreams(ParseState& state)
{
    ConvertOptions& o = state.options;
    if (o.streams.empty())
        return applyDefaultStream(state);
    if (o.listOnly) {
        for (const StreamInput& stream : o.streams)
            o.files << stream.file;
        o.streams.clear();
        return QString();
    }
    if (!o.files.isEmpty())
        return QStringLiteral("--stream makes one pair of the files it names; convert %1 in "
                              "another run")
            .arg(o.files.front());
    if (o.writeSup && o.streams.size() > 1)
        return QStringLiteral("a .sup file holds one stream: --format dvd-sup takes one --stream "
                              "(for a .sup per language, convert each file on its own)");
    if (o.streams.size() > std::size_t(kMaxSubpictureStreams))
        return QStringLiteral("a pair holds at most %1 streams").arg(kMaxSubpictureStreams);
    return applyDefaultStream(state);
}

// Checks `value` against the row's list or range; the problem, or an empty text.
QString checkedValue(const OptionRow& row, QString& value)
{
    if (row.spelling)
        value = row.spelling(value);
    if (row.choices) {
        // Without regard to case, as font and colour names are; the list's spelling is kept.
        const QStringList& items = row.choices();
        const auto at = std::find_if(items.begin(), items.end(), [&](const QString& item) {
            return item.compare(value, Qt::CaseInsensitive) == 0;
        });
        if (at == items.end())
            return QStringLiteral("%1 must be one of %2, not '%3'")
                .arg(QLatin1String(row.what), items.join(QStringLiteral(", ")), value);
        value = *at;
    } else if (row.isNumber()) {
        int number = 0;
        if (!ReadWholeNumber(value, number) || number < row.min || number > row.max)
            return QStringLiteral("%1 must be a whole number from %2 to %3, not '%4'")
                .arg(QLatin1String(row.what), QString::number(row.min), QString::number(row.max),
                     value);
        value = QString::number(number);
    }
    return QString();
}

// The safe palette offers other colours; its defaults stand where none was given.
void applySafePaletteDefaults(ParseState& state)
{
    if (state.options.mode != PaletteMode::PcDvdSafePalette)
        return;
    RenderSettings& s = state.options.settings;
    if (!state.antialiasSet)
        s.antialiasColor = SafeColours()[kAntialiasColourIndex];
    if (!state.outlineSet)
        s.outlineColor = SafeColours()[kOutlineColourIndex];
    if (!state.textSet)
        s.textColor = SafeColours()[kTextColourIndex];
}

// The checks once every argument is read; the problem, or an empty text.
QString checkWhole(ParseState& state)
{
    const ConvertOptions& options = state.options;
    applySafePaletteDefaults(state);
    if (const QString problem = checkForm(options); !problem.isEmpty())
        return problem;
    if (const QString problem = checkStreams(state); !problem.isEmpty())
        return problem;
    if (options.json && options.listOnly)
        return QStringLiteral("--json sums up conversions; it cannot go with --list");
    if (options.files.isEmpty() && options.streams.empty())
        return QStringLiteral("no subtitle file given");
    if (options.files.contains(QLatin1String(kStandardInput))) {
        // A subtitle read from standard input has no name of its own: --output names its pair.
        if (options.files.size() > 1)
            return QStringLiteral("- (standard input) must be the only subtitle file");
        if (options.outputFolder.isEmpty() && !options.listOnly)
            return QStringLiteral("- (standard input) needs --output NAME to name the pair");
    }
    return QString();
}

// Reads the arguments one by one into a parse state, as getopt_long reads them.
class ArgumentReader
{
public:
    // `error` takes the problem when one is met.
    ArgumentReader(const QStringList& arguments, ParseState& state, QString& error)
        : m_arguments(arguments), m_state(state), m_error(error)
    {}

    // Reads the arguments after the program name: nothing when every one was read (or those
    // after "--" taken as files), else the outcome that ends the reading early: Error, with
    // the problem said, or --help or --version, after which nothing more is read.
    std::optional<ParseOutcome> readAll()
    {
        while (m_pos < m_arguments.size()) {
            const QString arg = m_arguments.at(m_pos++);
            if (arg == QLatin1String("--")) {
                m_state.options.files << m_arguments.mid(m_pos);
                break;
            }
            bool read = true;
            if (arg.startsWith(QLatin1String("--")))
                read = readLong(arg);
            else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1)
                read = readShort(arg);
            else
                m_state.options.files << arg; // "-" is standard input
            if (!read)
                return ParseOutcome::Error;
            if (m_state.stop)
                return m_state.stop;
        }
        return std::nullopt;
    }

private:
    // A long option, its value after "=" or in the next argument.
    bool readLong(const QString& arg)
    {
        const qsizetype equals = arg.indexOf(QLatin1Char('='));
        const QString name = equals < 0 ? arg : arg.left(equals);
        const OptionRow* row = FindOption(name);
        if (!row)
            return unknown(name);
        return take(*row, name,
                    equals < 0 ? std::nullopt : std::optional<QString>(arg.mid(equals + 1)));
    }

    // Short options, bundled ("-qj2"): one that takes a value takes the rest of the argument,
    // or the next argument when nothing is left.
    bool readShort(const QString& arg)
    {
        for (qsizetype at = 1; at < arg.size() && !m_state.stop; ++at) {
            const QString name = QStringLiteral("-") + arg.at(at);
            const OptionRow* row = FindOption(name);
            if (!row)
                return unknown(name);
            const QString rest = arg.mid(at + 1);
            const bool takesRest = row->valueName && !rest.isEmpty();
            if (!take(*row, name, takesRest ? std::optional<QString>(rest) : std::nullopt))
                return false;
            if (takesRest)
                break;
        }
        return true;
    }

    bool unknown(const QString& name)
    {
        m_error = QStringLiteral("unknown option %1").arg(name);
        return false;
    }

    // Takes option `row`, given as `name`: its value is `attached` ("--fps=25000", "-r25000")
    // or else the next argument. False, with the problem said, when it cannot be taken.
    bool take(const OptionRow& row, const QString& name, const std::optional<QString>& attached)
    {
        QString value;
        if (!row.valueName && attached) {
            m_error = QStringLiteral("option %1 takes no value").arg(name);
            return false;
        }
        if (row.valueName) {
            if (!attached && m_pos >= m_arguments.size()) {
                m_error = QStringLiteral("option %1 needs a value").arg(name);
                return false;
            }
            value = attached ? *attached : m_arguments.at(m_pos++);
            if (const QString problem = checkedValue(row, value); !problem.isEmpty()) {
                m_error = problem;
                return false;
            }
        }
        m_error = row.apply(m_state, value);
        return m_error.isEmpty();
    }

    const QStringList& m_arguments;
    ParseState& m_state;
    QString& m_error;
    qsizetype m_pos = 1; // the next argument to read; the program name is not one
};

} // namespace

QSize BluRayFrameOf(const ConvertOptions& options)
{
    return BluRayFrameSize(options.frameSizeText.isEmpty() ? BluRayFrameSizeTexts().front()
                                                           : options.frameSizeText);
}

FrameRate RunFrameRate(const ConvertOptions& options)
{
    const FrameRate named = FrameRate::fromText(options.fpsText);
    return WritesBluRay(options) ? named.exact() : named;
}

ParseOutcome ParseConvertOptions(const QStringList& arguments, ConvertOptions& options,
                                 QString& error)
{
    ParseState state{options};
    if (const std::optional<ParseOutcome> early = ArgumentReader(arguments, state, error).readAll())
        return *early;
    error = checkWhole(state);
    return error.isEmpty() ? ParseOutcome::Run : ParseOutcome::Error;
}

} // namespace lumelle
