// The player's score in the current game.
#pragma once

namespace Kestrum
{
    class ScoreSystem
    {
    public:
        ScoreSystem();
        virtual ~ScoreSystem();
        ScoreSystem(const ScoreSystem&) = delete;
        ScoreSystem& operator=(const ScoreSystem&) = delete;

        unsigned long GetScore() const { return m_score; }

    private:
        unsigned long m_score;
    };
}
