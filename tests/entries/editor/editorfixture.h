// A scratch Zorva database as the main connection, choosers answered by the test, a
// temporary settings file, and a way to act inside the modal entry editor.
#pragma once

#include "entries/editor/entrychoosers.h"
#include "sql/zorvaschema.h"

#include <QDate>
#include <QList>
#include <QStringList>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace zorva {
class Tfrm_Szerkeszt;
}

namespace editortest {

// Cash types and clients of sqltest::addBasicMasterData.
enum { Fizetes = 1, Elelmiszer = 2, Ajandek = 3, Rezsi = 4 };
enum { Kovacs = 1, Szabo = 2 };

struct StoredEntry {
    int kassza = 0;
    int kasszatip = 0;
    int ugyfel = 0;
    QDate datum;
    double osszeg = 0;
    QString szoveg;
};

class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TmySQLDatabase &db() { return schema->db(); }
    int entryCount();
    StoredEntry stored(int hid);

    // Runs `act` on the editor as soon as it is shown modally (once).
    void whenEditorShows(std::function<void(zorva::Tfrm_Szerkeszt &)> act);
    int editorsShown() const { return shown; }

    // Answers of the choosers, first in first out; the preselected ids they were asked with.
    QList<int> cashTypeAnswers, clientAnswers;
    QList<int> cashTypeAsked, clientAsked;

    // The statements this test's connection sent since startStatementLog(), from the
    // server's general log.
    void startStatementLog();
    QStringList loggedStatements();

    // Error boxes shown since the test began.
    QStringList errorTexts() const;

    std::unique_ptr<sqltest::ZorvaSchema> schema;
    std::unique_ptr<testsupport::TempFolder> folder;

private:
    std::unique_ptr<QTimer> poll;
    int shown = 0;
    bool logging = false;
    QString logStart;
};

}  // namespace editortest
