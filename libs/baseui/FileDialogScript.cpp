#include "FileDialogScript.h"

FileDialogScript::FileDialogScript()
    : m_previous(OblFileDialog::SetPresenter([this](const FileDialogRequest& request) {
        m_requests.push_back(request);
        if (m_answers.empty())
            return std::optional<FileDialogAnswer>();
        std::optional<FileDialogAnswer> answer = std::move(m_answers.front());
        m_answers.pop_front();
        return answer;
    }))
{
}

FileDialogScript::~FileDialogScript()
{
    OblFileDialog::SetPresenter(std::move(m_previous));
}

void FileDialogScript::AddAnswer(QStringList names, int filterIndex)
{
    m_answers.push_back(FileDialogAnswer{std::move(names), filterIndex});
}

void FileDialogScript::AddCancel()
{
    m_answers.push_back(std::nullopt);
}
