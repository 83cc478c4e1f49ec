// Splitting script lines into words: blanks separate words, double quotes
// group (a doubled quote inside stands for one), '#' at the start of a word
// begins a comment.  Backslashes are plain characters, for Windows paths.
#include "robot.h"

static BOOL IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads one word starting at *ppSource into the same buffer (the word never
// grows), leaving *ppSource after it.  FALSE on an unterminated quote.
static BOOL TakeWord(char** ppSource, char** ppWord)
{
    char* pRead = *ppSource;
    char* pWrite = pRead;
    BOOL inQuote = FALSE;

    *ppWord = pWrite;
    while (*pRead != '\0' && (inQuote || !IsBlank(*pRead))) {
        if (*pRead == '"' && inQuote && pRead[1] == '"') {
            *pWrite++ = '"';
            pRead += 2;
        } else if (*pRead == '"') {
            inQuote = !inQuote;
            pRead++;
        } else {
            *pWrite++ = *pRead++;
        }
    }
    if (*pRead != '\0')
        pRead++;
    *pWrite = '\0';
    *ppSource = pRead;
    return !inQuote;
}

BOOL SplitScriptLine(LPSTR lpszLine, ScriptLine* line)
{
    char* pSource = lpszLine;

    line->wordCount = 0;
    for (;;) {
        while (IsBlank(*pSource))
            pSource++;
        if (*pSource == '\0' || *pSource == '#')
            return TRUE;
        if (line->wordCount == kRobotMaxWords)
            return FALSE;
        if (!TakeWord(&pSource, &line->words[line->wordCount++]))
            return FALSE;
    }
}

// The value of a "key=value" word, or NULL when the word has another key.
LPCSTR OptionValue(LPCSTR lpszWord, LPCSTR lpszKey)
{
    while (*lpszKey != '\0' && *lpszWord == *lpszKey) {
        lpszWord++;
        lpszKey++;
    }
    return *lpszKey == '\0' && *lpszWord == '=' ? lpszWord + 1 : NULL;
}

BOOL ParseNumber(LPCSTR lpszWord, int* pValue)
{
    int value = 0;

    if (*lpszWord == '\0')
        return FALSE;
    for (; *lpszWord != '\0'; lpszWord++) {
        if (*lpszWord < '0' || *lpszWord > '9' || value > 100000000)
            return FALSE;
        value = value * 10 + (*lpszWord - '0');
    }
    *pValue = value;
    return TRUE;
}
