#include "eventlog/viewer/ViewStatement.h"

#include <gtest/gtest.h>

using namespace ViewStatement;

TEST(ViewStatementTest, SortLine_FirstClickAscendingThenReverses) {
    struct Case {
        const char* last;
        const char* field;
        const char* line;
    } cases[] = {
        {"ORDER BY ID ASC", "ID", "ORDER BY ID DESC"},
        {"ORDER BY ID DESC", "ID", "ORDER BY ID ASC"},
        {"ORDER BY ID ASC", "DATUM", "ORDER BY DATUM ASC, TIJD ASC"},
        {"ORDER BY DATUM ASC, TIJD ASC", "DATUM", "ORDER BY DATUM DESC, TIJD DESC"},
        {"ORDER BY DATUM DESC, TIJD DESC", "DATUM", "ORDER BY DATUM ASC, TIJD ASC"},
        {"ORDER BY DATUM ASC, TIJD ASC", "TIJD", "ORDER BY TIJD ASC"},
        {"ORDER BY TIJD ASC", "AKTIE", "ORDER BY AKTIE ASC"},
        {"ORDER BY DATA DESC", "DATA", "ORDER BY DATA ASC"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SortLine(c.last, c.field), c.line) << c.last << " + " << c.field;
}

TEST(ViewStatementTest, Filtered_BuildsTheWorkedExample) {
    const QStringList lines = Filtered(
        {"Start laden", "Einde const. voltage", "Insch./wijz. vermogensstand"},
        std::make_pair(QString("15-03-04"), QString("31-12-04")), "ORDER BY DATUM DESC, TIJD DESC");
    EXPECT_EQ(lines, (QStringList{"SELECT *", "FROM DATATBL", "WHERE(", "AKTIE = 'Start laden'",
                                  "OR AKTIE = 'Einde const. voltage'",
                                  "OR AKTIE = 'Insch./wijz. vermogensstand'", ")",
                                  "AND DATUM BETWEEN '2004-03-15' AND '2004-12-31'",
                                  "ORDER BY DATUM DESC, TIJD DESC"}));
}

TEST(ViewStatementTest, Filtered_OneKindHasNoOr) {
    EXPECT_EQ(Filtered({"Einde const. voltage"}, std::nullopt, "ORDER BY ID ASC"),
              (QStringList{"SELECT *", "FROM DATATBL", "WHERE(", "AKTIE = 'Einde const. voltage'",
                           ")", "ORDER BY ID ASC"}));
}

TEST(ViewStatementTest, QuotingAndDateLiterals) {
    EXPECT_EQ(Quoted("Start laden"), "'Start laden'");
    EXPECT_EQ(Quoted("it's"), "'it''s'");
    EXPECT_EQ(DateLiteral("01-01-99"), "2099-01-01");
    EXPECT_EQ(DateLiteral("31/02/04"), "2004-02-31");
}
