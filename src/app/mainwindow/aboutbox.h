// The about box: the program's name and version.
#pragma once

#include <QDialog>

namespace zorva {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget *parent = nullptr);
    static QString versionText();
};

}  // namespace zorva
