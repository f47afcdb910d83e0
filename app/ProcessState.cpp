#include "app/ProcessState.h"

#include "host/DocumentName.h"
#include "support/IniFile.h"
#include "support/PlatformMetrics.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <memory>

namespace {
ProcessState *g_override = nullptr;

QString ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}
} // namespace

QString ProcessState::NormaliseFolder(const QString &folder)
{
    QString path = folder;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    return path;
}

ProcessState::ProcessState() : ProcessState(ExecutableFolder()) {}

ProcessState::ProcessState(const QString &programFolder)
    : ProgramFolder(NormaliseFolder(programFolder)),
      ImagesFolder(ProgramFolder + QStringLiteral("images/")),
      UndoBuffer(QString(), DynamicArray::UndoDelimiters()),
      Persist(ProgramFolder),
      Settings(&Persist)
{
    ChooseCursorIds(PlatformMetrics::Current().ColourDepth);
}

void ProcessState::SetSeparators(const QString &decimal, const QString &thousands,
                                 const QString &currency, const QString &negative,
                                 const QString &positive)
{
    const auto keep = [](QString &item, const QString &text) {
        if (!text.isEmpty())
            item = text;
    };
    keep(DecimalSeparator, decimal);
    keep(ThousandsSeparator, thousands);
    keep(CurrencySymbol, currency);
    keep(NegativeSign, negative);
    keep(PositiveSign, positive);
    DecimalIsNotPoint = DecimalSeparator != QLatin1String(".");
}

void ProcessState::ReadLocale()
{
    const QLocale locale;
    SetSeparators(locale.decimalPoint(), locale.groupSeparator(),
                  locale.currencySymbol(QLocale::CurrencySymbol), locale.negativeSign(),
                  locale.positiveSign());
}

void ProcessState::ChooseCursorIds(int colourDepth)
{
    const int first = colourDepth >= 32 ? 8210 : 8110;
    for (int i = 0; i < CursorCount; ++i)
        CursorIds[size_t(i)] = first + i;
}

void ProcessState::ReadMetrics()
{
    const PlatformMetrics &m = PlatformMetrics::Current();
    FrameWidth = 2 * m.SizingFrameWidth * m.TwipsPerPixelX;
    CaptionHeight = (m.CaptionHeight + 2 * m.SizingFrameHeight) * m.TwipsPerPixelY;
    VirtualScreenLeft = m.VirtualScreenLeft * m.TwipsPerPixelX;
    ChooseCursorIds(m.ColourDepth);
}

void ProcessState::ReadBehavior()
{
    const QString path = modPersistSettings::LocateConfigFile(ProgramFolder, QStringLiteral("cvguisvr.ini"));
    DisableThemes = IniFile::Load(path).ReadBool(QStringLiteral("Behavior"),
                                                 QStringLiteral("DisableThemes"), false);
}

QString ProcessState::ToPointDecimal(const QString &text) const
{
    if (!DecimalIsNotPoint)
        return text;
    QString converted = text;
    converted.replace(DecimalSeparator, QStringLiteral("."));
    return converted;
}

ProcessState &ProcessState::Instance()
{
    if (g_override)
        return *g_override;
    static std::unique_ptr<ProcessState> instance = std::make_unique<ProcessState>();
    return *instance;
}

ProcessState::Override::Override(ProcessState &state) : m_previous(g_override)
{
    g_override = &state;
}

ProcessState::Override::~Override()
{
    g_override = m_previous;
}

ProcessState &Process()
{
    return ProcessState::Instance();
}

QString ProcessState::LocalFolder() const
{
    if (HostType.compare(DocumentName::FileType, Qt::CaseInsensitive) != 0 || HostFileName.isEmpty())
        return QDir::currentPath();
    const QFileInfo last(QDir::current().absoluteFilePath(HostFileName));
    return last.isDir() || HostFileName.endsWith(u'/') ? last.absoluteFilePath() : last.absolutePath();
}
