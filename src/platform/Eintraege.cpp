#include "platform/Eintraege.h"

#include "platform/Bytesuche.h"
#include "platform/FeldText.h"

#include <algorithm>

namespace zem {

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

void Eintraege::anhaengen(std::initializer_list<std::string_view> teile)
{
    std::size_t laenge = 0;
    for (const std::string_view teil : teile)
        laenge += teil.size();
    if (m_text.size() - m_belegt < laenge)
        m_text.resize(std::max(2 * m_text.size(), m_belegt + laenge));
    for (const std::string_view teil : teile) {
        Bytesuche::kopieren(m_text.data() + m_belegt, teil.data(), teil.size());
        m_belegt += teil.size();
    }
    m_enden.push_back(m_belegt);
}

void Eintraege::zeigen(bool leise)
{
    if (m_gezeigt == anzahl())
        return;
    if (leise) {
        m_gezeigt = anzahl();
        return;
    }
    beginInsertRows(QModelIndex(), m_gezeigt, anzahl() - 1);
    m_gezeigt = anzahl();
    endInsertRows();
}

bool Eintraege::leeren(bool leise)
{
    // Views that know of no row need not hear of it.
    const bool melden = m_gezeigt > 0 && (!leise || !persistentIndexList().isEmpty());
    if (melden)
        beginResetModel();
    m_belegt = 0;
    m_enden.clear();
    m_gezeigt = 0;
    if (melden)
        endResetModel();
    return !melden;
}

void Eintraege::nachholen()
{
    emit layoutAboutToBeChanged();
    emit layoutChanged();
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
    return FeldText(QByteArrayView(text.data(), qsizetype(text.size())));
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
