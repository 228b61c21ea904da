#include "platform/Eintraege.h"

#include "platform/Bytesuche.h"
#include "platform/FeldText.h"

#include <algorithm>

namespace zem {

namespace {

// What a row shows in front of entry k (from 1): with N = a blank and the digits of k, 8 - 2 * len(N)
// blanks, N and two blanks. From the 1000th entry on 8 - 2 * len(N) is negative and no blank goes in
// front. Such entries do occur despite the reader's limit of 998: a 999th vertex in a field that also
// holds "triangle" puts the count back to 700 and the triangle's reader reads on, so the vertices after
// it are entries 999, 1000 and so on.
QString nummerVorn(int k)
{
    const QString n = QLatin1Char(' ') + QString::number(k);
    return QString(std::max<qsizetype>(0, 8 - 2 * n.size()), QLatin1Char(' ')) + n + QLatin1String("  ");
}

} // namespace

Eintraege::Eintraege(QObject* eltern)
    : QAbstractListModel(eltern)
{
    // Room for a model at the reader's limits with short fields; a longer one grows the store once.
    m_text.resize(std::size_t(64) << 10);
    m_enden.reserve(1024);
}

std::string_view Eintraege::eintrag(int k) const
{
    const std::size_t anfang = k == 0 ? 0 : m_enden[std::size_t(k - 1)];
    return std::string_view(m_text.data() + anfang, m_enden[std::size_t(k)] - anfang);
}

void Eintraege::anhaengen(std::string_view text)
{
    if (m_text.size() - m_belegt < text.size())
        m_text.resize(std::max(2 * m_text.size(), m_belegt + text.size()));
    Bytesuche::kopieren(m_text.data() + m_belegt, text.data(), text.size());
    m_belegt += text.size();
    m_enden.push_back(m_belegt);
}

void Eintraege::zeigen()
{
    if (m_gezeigt == anzahl())
        return;
    beginInsertRows(QModelIndex(), m_gezeigt, anzahl() - 1);
    m_gezeigt = anzahl();
    endInsertRows();
}

void Eintraege::leeren()
{
    // Entries that are no rows yet leave the rows as they are.
    const bool melden = m_gezeigt > 0;
    if (melden)
        beginResetModel();
    m_belegt = 0;
    m_enden.clear();
    m_gezeigt = 0;
    if (melden)
        endResetModel();
}

int Eintraege::rowCount(const QModelIndex& eltern) const
{
    return eltern.isValid() ? 0 : m_gezeigt;
}

QVariant Eintraege::data(const QModelIndex& index, int rolle) const
{
    if (!index.isValid() || index.row() >= m_gezeigt || (rolle != Qt::DisplayRole && rolle != Qt::EditRole))
        return QVariant();
    const std::string_view text = eintrag(index.row());
    return nummerVorn(index.row() + 1) + feldText(QByteArrayView(text.data(), qsizetype(text.size())));
}

Qt::ItemFlags Eintraege::flags(const QModelIndex& index) const
{
    // The flags Qt's item-based lists give their rows, so that views and screen readers treat these
    // rows as those.
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled;
}

} // namespace zem
