#pragma once

#include <QString>
#include <QVariant>

class QWidget;

// One cell of a report record. The control asks it for its data by item role
// and hands it clicks and edits.
class ReportRecordItem
{
public:
    virtual ~ReportRecordItem() = default;

    virtual QVariant GetData(int role) const = 0;
    // An edit or a check-box toggle; true when the item took the value.
    virtual bool SetData(const QVariant& /*value*/, int /*role*/) { return false; }
    // Flags beyond enabled and selectable (checkable, editable).
    virtual Qt::ItemFlags GetFlags() const { return Qt::NoItemFlags; }
    // A click on the cell; true when the item changed.
    virtual bool OnClick(QWidget* /*parent*/) { return false; }
};

// A cell that shows a text.
class ReportRecordItemText : public ReportRecordItem
{
public:
    explicit ReportRecordItemText(QString text = {})
        : m_text(std::move(text))
    {
    }

    void SetText(const QString& text) { m_text = text; }
    const QString& GetText() const { return m_text; }

    QVariant GetData(int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(m_text) : QVariant();
    }

private:
    QString m_text;
};
