#include "MessageBoxScript.h"
#include "StringIds.h"
#include "Translator.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct DefaultCase
{
    unsigned flags;
    int answer;
};

// Runs one unscripted message box, returning its answer and what reached stderr.
std::pair<int, std::string> ShowUnscripted(const QString& text, unsigned flags)
{
    testing::internal::CaptureStderr();
    const int answer = Translator::GetInstance().MessageBoxW(text, flags, false);
    return {answer, testing::internal::GetCapturedStderr()};
}

TEST(MessageBoxStyle, ButtonsInDisplayOrder)
{
    EXPECT_EQ(GetMessageBoxButtons(MB_OK), (std::vector<int>{IDOK}));
    EXPECT_EQ(GetMessageBoxButtons(MB_OKCANCEL | MB_ICONWARNING), (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(GetMessageBoxButtons(MB_YESNO | MB_DEFBUTTON2), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(GetMessageBoxButtons(MB_YESNOCANCEL), (std::vector<int>{IDYES, IDNO, IDCANCEL}));
}

TEST(MessageBoxStyle, FlagAndResultValuesAreTheWin32Ones)
{
    EXPECT_EQ(MB_OK, 0u);
    EXPECT_EQ(MB_OKCANCEL, 1u);
    EXPECT_EQ(MB_YESNOCANCEL, 3u);
    EXPECT_EQ(MB_YESNO, 4u);
    EXPECT_EQ(MB_ICONERROR, 16u);
    EXPECT_EQ(MB_ICONQUESTION, 32u);
    EXPECT_EQ(MB_ICONWARNING, 48u);
    EXPECT_EQ(MB_ICONINFORMATION, 64u);
    EXPECT_EQ(MB_DEFBUTTON2, 0x100u);
    EXPECT_EQ(IDOK, 1);
    EXPECT_EQ(IDCANCEL, 2);
    EXPECT_EQ(IDYES, 6);
    EXPECT_EQ(IDNO, 7);
}

TEST(MessageBoxDefaults, WithoutPresenterTheDefaultButtonAnswers)
{
    const DefaultCase cases[] = {
        {MB_OK, IDOK},
        {MB_OK | MB_ICONERROR, IDOK},
        {MB_OK | MB_DEFBUTTON2, IDOK}, // no second button: the first stays default
        {MB_OKCANCEL, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, IDCANCEL},
        {MB_YESNO, IDYES},
        {MB_YESNO | MB_ICONWARNING, IDYES},
        {MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, IDNO},
        {MB_YESNO | MB_DEFBUTTON3, IDYES},
        {MB_YESNOCANCEL | MB_DEFBUTTON2, IDNO},
        {MB_YESNOCANCEL | MB_DEFBUTTON3, IDCANCEL},
    };
    for (const DefaultCase& c : cases) {
        EXPECT_EQ(GetDefaultMessageBoxAnswer(c.flags), c.answer) << std::hex << c.flags;
        EXPECT_EQ(ShowUnscripted(QStringLiteral("question"), c.flags).first, c.answer) << std::hex << c.flags;
    }
}

TEST(MessageBoxDefaults, WithoutPresenterTheTextGoesToStderr)
{
    const auto [answer, output] = ShowUnscripted(QStringLiteral("Nothing to do \u00BB here"), MB_ICONINFORMATION);
    EXPECT_EQ(answer, IDOK);
    EXPECT_EQ(output, "Nothing to do \u00BB here\n");

    testing::internal::CaptureStderr();
    Translator::GetInstance().MessageBoxW(IDS_JOIN_NOT_CONSECUTIVE, MB_ICONWARNING);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Only consecutive track segments can be joined.\n");
}

TEST(MessageBoxScripting, AnswersInOrderAndRecordsWhatWasShown)
{
    MessageBoxScript script{IDNO, IDCANCEL};
    Translator& tr = Translator::GetInstance();

    EXPECT_EQ(tr.MessageBoxW(IDS_RESTRUCTURE_FILES_ONLY, MB_YESNO, false), IDNO);
    EXPECT_EQ(tr.MessageBoxW(tr.Format(IDS_FOLDER_GAP_LABEL, QStringLiteral("2"), QStringLiteral("5")),
                             MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(script.GetPendingCount(), 0u);

    ASSERT_EQ(script.GetShown().size(), 2u);
    EXPECT_EQ(script.GetShown()[0].text, tr.LoadStr(IDS_RESTRUCTURE_FILES_ONLY));
    EXPECT_EQ(script.GetShown()[0].flags, MB_YESNO);
    EXPECT_EQ(script.GetShown()[0].answer, IDNO);
    EXPECT_EQ(script.GetShown()[1].text, QStringLiteral("Create new folder if a gap > 2 h 5 min."));
    EXPECT_EQ(script.GetShown()[1].flags, MB_YESNOCANCEL | MB_ICONQUESTION);
}

TEST(MessageBoxScripting, RunsDryIntoTheDefaultButtonAndStillRecords)
{
    MessageBoxScript script{IDYES};
    Translator& tr = Translator::GetInstance();
    EXPECT_EQ(tr.MessageBoxW(QStringLiteral("first"), MB_YESNO | MB_DEFBUTTON2), IDYES);
    EXPECT_EQ(tr.MessageBoxW(QStringLiteral("second"), MB_YESNO | MB_DEFBUTTON2), IDNO);
    script.AddAnswer(IDYES);
    EXPECT_EQ(tr.MessageBoxW(QStringLiteral("third"), MB_YESNO | MB_DEFBUTTON2), IDYES);
    ASSERT_EQ(script.GetShown().size(), 3u);
    EXPECT_EQ(script.GetShown()[1].text, QStringLiteral("second"));
    EXPECT_EQ(script.GetShown()[1].answer, IDNO);
}

TEST(MessageBoxScripting, InnerScriptHandsBackToOuterAndLastOneToNone)
{
    Translator& tr = Translator::GetInstance();
    {
        MessageBoxScript outer{IDCANCEL};
        {
            MessageBoxScript inner{IDNO};
            EXPECT_EQ(tr.MessageBoxW(QStringLiteral("inner"), MB_YESNOCANCEL), IDNO);
        }
        EXPECT_EQ(tr.MessageBoxW(QStringLiteral("outer"), MB_YESNOCANCEL), IDCANCEL);
        ASSERT_EQ(outer.GetShown().size(), 1u);
        EXPECT_EQ(outer.GetShown()[0].text, QStringLiteral("outer"));
    }
    const auto [answer, output] = ShowUnscripted(QStringLiteral("after"), MB_YESNOCANCEL);
    EXPECT_EQ(answer, IDYES);
    EXPECT_EQ(output, "after\n");
}

TEST(MessageBoxPresenting, ReplacingReturnsThePreviousOne)
{
    Translator& tr = Translator::GetInstance();
    QString seen;
    MessageBoxPresenter previous = tr.SetMessageBoxPresenter([&seen](const QString& text, unsigned flags) {
        seen = text;
        return flags == MB_OKCANCEL ? IDCANCEL : IDOK;
    });
    EXPECT_FALSE(previous);
    EXPECT_EQ(tr.MessageBoxW(IDS_NOT_IMPLEMENTED, MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(seen, QStringLiteral("Not implemented"));
    EXPECT_TRUE(tr.SetMessageBoxPresenter(std::move(previous)));
}

} // namespace
