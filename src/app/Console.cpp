#include "app/Console.h"

#include <memory>

#include "app/ConsoleCommands.h"
#include "app/ConsoleHost.h"
#include "app/ConsolePerson.h"
#include "game/Game.h"
#include "game/GameSession.h"
#include "model/FrontEnd.h"
#include "model/PrintableText.h"
#include "model/Random.h"
#include "platform/FileSystem.h"
#include "ui/Shell.h"

namespace tessarion {

std::string Console::escapeText(const std::string& text) {
    std::string out;
    std::string plain;  // the run of text since the last line break
    auto endRun = [&](const char* escape) {
        out += printableText(plain) + escape;
        plain.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            endRun("\\n");
            ++i;
        } else if (c == '\n') {
            endRun("\\n");
        } else if (c == '\r') {
            endRun("\\r");
        } else if (c == '\\') {
            endRun("\\\\");
        } else {
            plain += c;
        }
    }
    endRun("");
    return out;
}

std::string Console::plainText(const std::string& text) {
    std::string out;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            out += printableText(line) + '\n';
            line.clear();
            i += text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 1 : 0;
        } else {
            line += text[i];
        }
    }
    return out + printableText(line);
}

std::optional<std::vector<std::string>> Console::tokenize(const std::string& line) {
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
            ++i;
            continue;
        }
        std::string token;
        if (line[i] == '"') {
            const std::size_t close = line.find('"', i + 1);
            if (close == std::string::npos) {
                return std::nullopt;
            }
            token = line.substr(i + 1, close - i - 1);
            i = close + 1;
        } else {
            while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') {
                token += line[i++];
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}

int Console::run(std::optional<std::uint32_t> seed) {
    // Start-up, as the windowed game does it up to the first game being ready.
    GameSession gameSession(seed ? *seed : clockSeed());
    Game& game = gameSession.game();
    std::unique_ptr<PersonHost> person =
        terminal_ ? std::make_unique<PersonHost>(game, in_, out_) : nullptr;
    std::unique_ptr<ConsoleHost> pipe =
        terminal_ ? nullptr : std::make_unique<ConsoleHost>(game, out_);
    ConsoleHost& host = person ? *person : *pipe;
    Shell shell(game, host);
    FrontEndScope frontEnd(game, host);
    beginFirstGame(game);
    // Saves killed part-way by an earlier run leave their temporary files.
    files::removeStaleTemporaries(".");

    CommandLoop loop(game, shell, host, person.get(), out_);
    const int code = loop.readCommands(in_, interactive_);
    outputError_ = loop.outputError;
    return code;
}

}  // namespace tessarion
