#pragma once

#include "OblDlgBase.h"

#include <QStringList>

#include <vector>

class QListWidget;

// Lets the user tick the columns a list shows.
class FieldChooserDlg : public OblDlgBase
{
public:
    FieldChooserDlg(int templateId, const QStringList& captions, const std::vector<bool>& shown,
                    QWidget* parent = nullptr);

    std::vector<bool> GetShown() const;
    void SetShown(int row, bool shown);

protected:
    QString GetLayoutKey() const override { return QStringLiteral("FieldChooser"); }

private:
    QListWidget* m_list;
};
