#include "SimulatedBoard.h"

#include <windows.h>

#include "TestFiles.h"

namespace zxtest {

SimulatedBoard::SimulatedBoard() : m_folder(new TempFolder)
{
    m_boardPath = m_folder->File("board.ini");
    m_logPath = m_folder->File("kyacpi.log");
}

SimulatedBoard::~SimulatedBoard()
{
    if (m_usedHere) {
        SetEnvironmentVariableA("KYACPI_BOARD", nullptr);
        SetEnvironmentVariableA("KYACPI_LOG", nullptr);
    }
}

SimulatedBoard SimulatedBoard::FromShipped(const std::string& name)
{
    std::string source = JoinPath(JoinPath(JoinPath(SourceDir(), "platform\\kyacpi"), "boards"), name + ".ini");
    return FromText(ReadWholeFile(source));
}

SimulatedBoard SimulatedBoard::FromText(const std::string& text)
{
    SimulatedBoard board;
    WriteWholeFile(board.m_boardPath, text);
    return board;
}

std::string SimulatedBoard::BoardText() const
{
    return ReadWholeFile(m_boardPath);
}

bool SimulatedBoard::Rewrite(const std::string& text) const
{
    return WriteWholeFile(m_boardPath, text);
}

std::vector<std::string> SimulatedBoard::LogLines() const
{
    return ReadLines(m_logPath);
}

Environment SimulatedBoard::Env() const
{
    return {{"KYACPI_BOARD", m_boardPath}, {"KYACPI_LOG", m_logPath}};
}

void SimulatedBoard::UseInThisProcess()
{
    SetEnvironmentVariableA("KYACPI_BOARD", m_boardPath.c_str());
    SetEnvironmentVariableA("KYACPI_LOG", m_logPath.c_str());
    m_usedHere = true;
}

}  // namespace zxtest
