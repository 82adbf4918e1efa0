// Nothing the user made is ever lost: long random sequences of what a user does with the Custom
// Background and Custom Music dialogs (add, remove, click, switch, mode, interval, hide, pictures
// coming in any order, restart, kill -9), checked after every step against a small model of what
// the user has made. The model holds the rows in order (pictures still being read included: a
// picture is the user's from the moment it is added, read or not), the switches, the modes and
// the interval text. A picture added with "Add Image" that cannot be read leaves again, with a
// message; a saved one stays, marked (its drive may only be unplugged). After every step the
// settings file (read with the program's own INI code and key by key), the lists the program
// holds and the messages it showed must agree with the model.
//
// The seeds are printed; QUELMARINE_MODEL_SEED=N replays one.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tank/environment/BackgroundPictures.h"
#include "tank/settings/IniFile.h"
#include "tank/settings/ListSection.h"
#include "tank/settings/SettingsFile.h"
#include "tank/settings/SettingsKeys.h"
#include "tank/settings/SettingsLoad.h"
#include "tank/sound/MusicPlaylist.h"

namespace quelmarine {
namespace {

// ---- The model of what the user has made ------------------------------------------------------

enum class Kind { Good, Broken }; // Broken: a file that cannot be decoded

struct Picture {
    std::string path;
    Kind kind = Kind::Good;
    bool fromButton = false; // added with "Add Image" in this run (else read from the file)
    bool loaded = false;     // its texture, or its failure, has come
};

struct Model {
    std::vector<Picture> pictures;
    bool ownImage = false;
    PlayMode imageMode = kRepeatOne;
    std::string interval = "5";      // as the box shows it
    bool intervalMayBeEmpty = false; // the file may still hold "" where the box shows "5"
    std::vector<std::string> tracks;
    bool ownMusic = false;
    PlayMode musicMode = kRepeatOne;

    std::vector<std::string> paths() const {
        std::vector<std::string> out;
        for (const Picture& p : pictures)
            out.push_back(p.path);
        return out;
    }
    Picture* find(const std::string& path) {
        for (Picture& p : pictures)
            if (p.path == path)
                return &p;
        return nullptr;
    }
    void erase(const std::string& path) {
        std::erase_if(pictures, [&](const Picture& p) { return p.path == path; });
    }
};

std::string hex(const std::string& text) {
    static const char digits[] = "0123456789abcdef";
    std::string out = "x";
    for (unsigned char c : text) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

std::string unhex(const std::string& token) {
    std::string out;
    for (std::size_t i = 1; i + 1 < token.size(); i += 2)
        out += char(std::stoi(token.substr(i, 2), nullptr, 16));
    return out;
}

// One line of text, for the pipe from a child that may be killed.
std::string encode(const Model& m) {
    std::ostringstream out;
    out << m.ownImage << ' ' << int(m.imageMode) << ' ' << hex(m.interval) << ' '
        << m.intervalMayBeEmpty << ' ' << m.pictures.size();
    for (const Picture& p : m.pictures)
        out << ' ' << hex(p.path) << ' ' << int(p.kind) << ' ' << p.fromButton << ' ' << p.loaded;
    out << ' ' << m.ownMusic << ' ' << int(m.musicMode) << ' ' << m.tracks.size();
    for (const std::string& t : m.tracks)
        out << ' ' << hex(t);
    return out.str();
}

Model decode(std::istream& in) {
    Model m;
    int mode = 0, kind = 0;
    std::size_t n = 0;
    std::string token;
    in >> m.ownImage >> mode >> token >> m.intervalMayBeEmpty >> n;
    m.imageMode = PlayMode(mode);
    m.interval = unhex(token);
    m.pictures.resize(n);
    for (Picture& p : m.pictures) {
        in >> token >> kind >> p.fromButton >> p.loaded;
        p.path = unhex(token);
        p.kind = Kind(kind);
    }
    in >> m.ownMusic >> mode >> n;
    m.musicMode = PlayMode(mode);
    m.tracks.resize(n);
    for (std::string& t : m.tracks) {
        in >> token;
        t = unhex(token);
    }
    return m;
}

// Long paths by their two ends.
std::string shortPath(const std::string& path) {
    return path.size() <= 60 ? path : path.substr(0, 28) + "..." + path.substr(path.size() - 28);
}

std::string describe(const std::vector<Picture>& pictures) {
    std::string out = "[";
    for (const Picture& p : pictures) {
        out += out.size() > 1 ? ", " : "";
        out += shortPath(p.path);
        out += p.kind == Kind::Good ? "" : " (bad)";
        out += p.loaded ? "" : " (pending)";
    }
    return out + "]";
}

std::string describe(const std::vector<std::string>& paths) {
    std::string out = "[";
    for (const std::string& p : paths)
        out += (out.size() > 1 ? ", " : "") + shortPath(p);
    return out + "]";
}

// ---- Stubs for the picture decoder and the media player ---------------------------------------

// Textures come only when the test hands them out (or at once, for the next load, when told).
struct LaterTextures : PictureTextures {
    struct Load {
        std::string path;
        std::function<void()> deliver;
    };
    void load(const std::string& path, std::function<void(std::int32_t)> done) override {
        const std::int32_t texture = path.find("broken") != std::string::npos ? 0 : nextName++;
        if (std::exchange(nextAtOnce, false))
            done(texture);
        else
            queued.push_back({path, [done, texture] { done(texture); }});
    }
    void release(std::int32_t) override {}
    bool asked(const std::string& path) const {
        for (const Load& l : queued)
            if (l.path == path)
                return true;
        return false;
    }
    std::vector<Load> queued;
    bool nextAtOnce = false;
    std::int32_t nextName = 1;
};

struct QuietPlayer : TrackPlayer {
    void open(const std::string& name) override {
        file = name;
        if (loaded)
            loaded();
    }
    bool canPlay() const override { return !file.empty(); }
    void play() override {}
    void stop() override {}
    void close() override {}
    void seek(std::int32_t p) override { position_ = p; }
    std::int32_t position() const override { return position_; }
    std::int32_t length() const override { return 60000; }
    void setVolume(std::int32_t v) override { volume_ = v; }
    std::int32_t volume() const override { return volume_; }
    std::string file;
    std::int32_t position_ = 0, volume_ = 1000;
};

// The two lists as the program holds them, built as the program starts.
struct Program {
    void start() {
        stop();
        loadSettingsAtStartup();
        textures = std::make_unique<LaterTextures>();
        pictures = std::make_unique<BackgroundPictures>(*textures);
        pictures->showMessage = [this](const std::string& m) { messages.push_back(m); };
        pictures->loadSection();
        player = std::make_unique<QuietPlayer>();
        music = std::make_unique<MusicPlaylist>(*player);
        music->showMessage = [this](const std::string& m) { messages.push_back(m); };
        music->initialise(kProfileVolumeDefault);
    }
    void stop() {
        music.reset();
        player.reset();
        pictures.reset();
        textures.reset();
    }
    std::unique_ptr<LaterTextures> textures;
    std::unique_ptr<BackgroundPictures> pictures;
    std::unique_ptr<QuietPlayer> player;
    std::unique_ptr<MusicPlaylist> music;
    std::vector<std::string> messages;
};

// ---- Comparing the file and the program with the model ----------------------------------------

const char* flag(bool set) {
    return set ? "1" : "0";
}

// "" when the settings file holds what the model says, else what differs.
std::string fileDiffers(const Model& m) {
    const LoadedIni ini = loadIniFile(settingsFilePath());
    if (ini.state == IniFileState::Unreadable)
        return "the settings file cannot be read";
    const IniDocument& doc = ini.document;
    std::string out;
    auto expect = [&](const char* section, const std::string& key, const std::string& want) {
        const std::string got = doc.read(section, key, kPathReadLimit);
        if (got != want)
            out += key + "=" + shortPath(got) + " (the model: " + shortPath(want) + "); ";
    };
    auto rows = [&](const ListSectionKeys& keys, std::vector<std::string>& paths) {
        const std::string sum = doc.read(keys.section, keys.sum);
        if (sum.empty() || sum.find_first_not_of("0123456789") != std::string::npos ||
            sum.size() > 3) {
            out += std::string(keys.sum) + "=" + sum + " is not a row count; ";
            return false;
        }
        for (int i = 0; i < std::stoi(sum); ++i)
            paths.push_back(
                doc.read(keys.section, keys.prefix + std::to_string(i), kPathReadLimit));
        // The program's own reader must see the same.
        const ListSection read = readListSection(doc, keys, 1000);
        if (read.paths != paths)
            out += std::string(keys.section) + ": readListSection differs from the keys; ";
        return true;
    };
    auto modes = [&](const ListSectionKeys& keys, PlayMode mode, bool on) {
        expect(keys.section, keys.random, flag(mode == kRandom));
        expect(keys.section, keys.cycle, flag(mode == kRepeatAll));
        expect(keys.section, keys.repeat, flag(mode == kRepeatOne));
        expect(keys.section, keys.own, flag(on));
    };

    std::vector<std::string> paths;
    if (rows(kCustomImagesKeys, paths) && paths != m.paths())
        out += "ImageSum=" + std::to_string(paths.size()) + " " + describe(paths) +
               ", the model: " + describe(m.pictures) + "; ";
    modes(kCustomImagesKeys, m.imageMode, m.ownImage);
    const std::string time = doc.read(kCustomImagesSection, kImageTimeKey);
    if (!(time == m.interval || (time.empty() && m.intervalMayBeEmpty)))
        out += "ImageTime=" + time + " (the model: " + m.interval + "); ";

    paths.clear();
    if (rows(kCustomSettingsKeys, paths) && paths != m.tracks)
        out += "MusicSum=" + std::to_string(paths.size()) + " " + describe(paths) +
               ", the model: " + describe(m.tracks) + "; ";
    modes(kCustomSettingsKeys, m.musicMode, m.ownMusic);
    return out;
}

// "" when the lists the program holds agree with the model, else what differs.
std::string programDiffers(const Program& program, const Model& m) {
    std::string out;
    const BackgroundPictures& pictures = *program.pictures;
    std::vector<std::string> shown;
    for (const BackgroundPictures::Row& row : pictures.rows())
        shown.push_back(row.path);
    if (shown != m.paths())
        out += "the dialog shows " + describe(shown) + ", the model " + describe(m.pictures) + "; ";
    std::size_t pending = 0;
    for (const Picture& p : m.pictures) {
        pending += p.loaded ? 0 : 1;
        if (!p.loaded && !program.textures->asked(p.path))
            out += "nobody reads the pending picture " + p.path + "; ";
    }
    if (pictures.pending() != pending)
        out += std::to_string(pictures.pending()) + " pictures pending, the model " +
               describe(m.pictures) + "; ";
    if (pictures.isOwnImage() != m.ownImage)
        out += "own image switch differs; ";
    if (pictures.playMode() != m.imageMode)
        out += "picture mode differs; ";
    if (pictures.interval() != m.interval)
        out += "the interval box shows \"" + pictures.interval() + "\", the model \"" + m.interval +
               "\"; ";

    const MusicPlaylist& music = *program.music;
    if (music.rows() != m.tracks)
        out +=
            "the play list " + describe(music.rows()) + ", the model " + describe(m.tracks) + "; ";
    if (music.isOn() != m.ownMusic)
        out += "own music switch differs; ";
    if (music.playMode() != m.musicMode)
        out += "music mode differs; ";
    return out;
}

// After a restart every picture is a saved one, read anew, and an empty interval shows as "5".
void restartModel(Model& m) {
    for (Picture& p : m.pictures)
        p.fromButton = p.loaded = false;
    if (m.interval.empty()) {
        m.interval = kDefaultInterval;
        m.intervalMayBeEmpty = true;
    }
}

// ---- The user ----------------------------------------------------------------------------------

struct Rng {
    explicit Rng(std::uint64_t seed) : engine(seed) {}
    int below(int n) { return n <= 0 ? 0 : int(engine() % std::uint64_t(n)); }
    bool percent(int p) { return below(100) < p; }
    std::mt19937_64 engine;
};

const char* const kIntervals[] = {"", "0", "5", "12", "abc", "1 5", "30"};

class UserWalk {
  public:
    UserWalk(std::uint64_t seed) : rng(seed) {}

    // A file the user made in an earlier run, then the program starts.
    void begin() {
        std::ostringstream file;
        const int pictures = rng.below(11), tracks = rng.below(6);
        model.ownImage = rng.percent(60);
        model.imageMode = PlayMode(rng.below(3));
        model.interval = kIntervals[1 + rng.below(6)];
        model.intervalMayBeEmpty = false;
        file << "[Custom Images]\nRandomImage=" << flag(model.imageMode == kRandom)
             << "\nCycImage=" << flag(model.imageMode == kRepeatAll)
             << "\nRepeatImage=" << flag(model.imageMode == kRepeatOne)
             << "\nOwnImage=" << flag(model.ownImage) << "\nImageTime=" << model.interval
             << "\nImageSum=" << pictures << "\n";
        for (int i = 0; i < pictures; ++i) {
            const Kind kind = rng.percent(15) ? Kind::Broken : Kind::Good;
            model.pictures.push_back({picturePath(kind), kind, false, false});
            file << "ImageList" << i << "=" << model.pictures.back().path << "\n";
        }
        model.ownMusic = rng.percent(50);
        model.musicMode = PlayMode(rng.below(3));
        file << "[Custom Settings]\nRandomMusic=" << flag(model.musicMode == kRandom)
             << "\nCycMusic=" << flag(model.musicMode == kRepeatAll)
             << "\nRepeatMusic=" << flag(model.musicMode == kRepeatOne)
             << "\nOwnMusic=" << flag(model.ownMusic) << "\nMusicSum=" << tracks << "\n";
        for (int i = 0; i < tracks; ++i) {
            model.tracks.push_back(trackPath());
            file << "MusicList" << i << "=" << model.tracks.back() << "\n";
        }
        std::filesystem::remove(settingsFilePath());
        ASSERT_TRUE(writeFileAtomically(settingsFilePath(), file.str()));
        program.start();
        // The lists the program loaded are compared after the first step.
        ASSERT_EQ(fileDiffers(model), "") << "at the start";
    }

    // One thing the user does, then the checks; "" or what went wrong.
    std::string step() {
        ++stepNumber;
        program.messages.clear();
        Model next = model; // what must hold once the step is done
        std::string what;
        std::function<void()> act;
        std::vector<std::string> expected; // the messages the step must show, in order
        choose(next, what, act, expected);
        if (report)
            report("S " + std::to_string(stepNumber) + " " + hex(what) + " " + encode(next));
        act();
        if (what == "restart")
            restartModel(next);
        model = next;
        std::string fault;
        if (program.messages != expected)
            fault += "the messages " + describe(program.messages) + ", expected " +
                     describe(expected) + "; ";
        fault += fileDiffers(model) + programDiffers(program, model);
        if (report)
            report("D " + std::to_string(stepNumber) + " " + encode(model));
        history.push_back(std::to_string(stepNumber) + ": " + what);
        if (history.size() > 12)
            history.erase(history.begin());
        lastStep = what;
        return fault;
    }

    // Runs a child that goes on doing what the user does until it is killed with SIGKILL at a
    // random moment a few steps on; then starts the program from the file, which must hold the
    // model before or after the step in flight. "" or what went wrong.
    std::string killRound() {
        const int stepsAhead = rng.percent(20) ? rng.below(40) : rng.below(4);
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0)
            return "no pipe";
        const std::uint64_t childSeed = rng.engine();
        const int target = stepNumber + 1 + stepsAhead;
        const auto jitter = std::chrono::microseconds(rng.below(3000));
        // The child's new paths, and those made here afterwards, are never the same.
        const int childPaths = pathCounter + 100000;
        pathCounter = childPaths + 100000;
        std::fflush(nullptr);
        const pid_t child = ::fork();
        if (child < 0)
            return "no fork";
        if (child == 0) {
            ::close(pipeEnds[0]);
            rng.engine.seed(childSeed);
            pathCounter = childPaths;
            const int fd = pipeEnds[1];
            report = [fd](const std::string& line) {
                const std::string text = line + "\n";
                for (std::size_t done = 0; done < text.size();) {
                    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
                    if (n <= 0)
                        ::_exit(3);
                    done += std::size_t(n);
                }
            };
            for (int i = 0; i < 100000; ++i) {
                const std::string fault = step();
                if (!fault.empty()) {
                    report("F " + std::to_string(stepNumber) + " " + hex(lastStep) + " " +
                           hex(fault));
                    ::_exit(1);
                }
            }
            ::_exit(0);
        }
        ::close(pipeEnds[1]);
        Model before = model, after = model;
        int inFlight = 0, lastDone = stepNumber;
        std::string inFlightWhat, childFault, pending;
        bool killed = false;
        char buffer[65536];
        for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) != 0;) {
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            pending.append(buffer, std::size_t(n));
            for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
                std::istringstream line(pending.substr(0, end));
                pending.erase(0, end + 1);
                std::string kind, token;
                int number = 0;
                line >> kind >> number;
                if (kind == "S") {
                    line >> token;
                    inFlight = number;
                    inFlightWhat = unhex(token);
                    after = decode(line);
                    if (number >= target && !killed) {
                        std::this_thread::sleep_for(jitter);
                        ::kill(child, SIGKILL);
                        killed = true;
                    }
                } else if (kind == "D") {
                    before = decode(line);
                    lastDone = number;
                    inFlight = 0;
                } else if (kind == "F") {
                    std::string fault;
                    line >> token >> fault;
                    stepNumber = number;
                    lastStep = unhex(token) + ", in the child of a kill round";
                    childFault = unhex(fault);
                }
            }
        }
        ::close(pipeEnds[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!childFault.empty())
            return childFault;
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
            return "the child ended by itself, status " + std::to_string(status);

        stepNumber = std::max(inFlight, lastDone);
        const std::string fileBefore = fileDiffers(before);
        const std::string fileAfter = inFlight ? fileDiffers(after) : "no step in flight";
        lastStep = "kill -9 " +
                   (inFlight ? "in step " + std::to_string(inFlight) + " (" + inFlightWhat + ")"
                             : "after step " + std::to_string(lastDone));
        history.push_back(lastStep);
        if (!fileBefore.empty() && !fileAfter.empty())
            return "after " + lastStep + " the file holds neither the model before (" + fileBefore +
                   ") nor after (" + fileAfter + ")";
        model = fileBefore.empty() ? before : after;
        forcedRestart = true;
        std::string fault = step();
        // A copy abandoned by the killed writer does not stay beside the file.
        for (const auto& entry : std::filesystem::directory_iterator(
                 std::filesystem::path(settingsFilePath()).parent_path()))
            if (const std::string name = entry.path().filename().string();
                name != kSettingsFileName && name.find(kSettingsFileName) != std::string::npos)
                fault += "left beside the settings file: " + name + "; ";
        return fault;
    }

    std::string recentSteps() const {
        std::string out;
        for (const std::string& h : history)
            out += "    " + h + "\n";
        return out;
    }

    int stepNumber = 0;
    std::string lastStep;

  private:
    std::string picturePath(Kind kind) {
        const int n = ++pathCounter;
        if (kind == Kind::Broken)
            return "/home/user/Bilder/broken " + std::to_string(n) + ".png";
        switch (rng.below(3)) {
        case 0:
            return "/home/user/Bilder/IMG_" + std::to_string(1000 + n) + ".JPG";
        case 1:
            return "/home/user/Bilder/Strand am Meer ü " + std::to_string(n) + ".png";
        default: // longer than an ordinary value
            return "/home/user/" + std::string(150, 'd') + "/" + std::to_string(n) + ".bmp";
        }
    }

    std::string trackPath() {
        const int n = ++pathCounter;
        return rng.percent(70) ? "/home/user/Musik/Track " + std::to_string(n) + " ü.mp3"
                               : "/home/user/" + std::string(140, 'm') + std::to_string(n) + ".wav";
    }

    // A path the settings file cannot keep as one value.
    std::string unusablePath(const char* folder) {
        const std::string n = std::to_string(++pathCounter);
        return rng.percent(50) ? std::string(folder) + "line\nbreak " + n
                               : std::string(folder) + std::string(4100, 'x') + n;
    }

    void choose(Model& next, std::string& what, std::function<void()>& act,
                std::vector<std::string>& expected) {
        BackgroundPictures& pictures = *program.pictures;
        MusicPlaylist& music = *program.music;
        LaterTextures& textures = *program.textures;
        const int queued = int(textures.queued.size());
        const int deliver = queued ? 16 : 0, addMusic = next.tracks.size() < 12 ? 5 : 1;
        const int weights[] = {10, 3,        1, deliver, 5, 5, 1, 4, 4, 4, 5,
                               3,  addMusic, 1, 4,       4, 1, 3, 3, 2, 3, 3};
        int pick = 0, total = 0;
        for (int w : weights)
            total += w;
        for (int r = rng.below(total); r >= weights[pick]; r -= weights[pick++]) {
        }
        if (std::exchange(forcedRestart, false))
            pick = 21;
        switch (pick) {
        case 0:
        case 1:
        case 2: { // "Add Image": a good picture, one that cannot be decoded, an unusable path
            const bool full = next.pictures.size() >= std::size_t(kMaxPictures);
            const Kind kind = pick == 1 ? Kind::Broken : Kind::Good;
            const std::string path =
                pick == 2 ? unusablePath("/home/user/Bilder/") : picturePath(kind);
            // Only a readable picture comes at once: a failure from inside the call would make
            // the row come and go within one step.
            const bool atOnce = pick == 0 && rng.percent(30);
            what = "Add Image " + shortPath(path) + (atOnce ? " (read at once)" : "");
            if (full)
                expected.push_back(kTooManyPicturesMessage + std::to_string(kMaxPictures));
            else if (pick == 2)
                expected.push_back("(" + path + ")" + kPictureErrorMessage);
            else
                next.pictures.push_back({path, kind, true, atOnce});
            act = [&textures, &pictures, path, atOnce] {
                textures.nextAtOnce = atOnce;
                pictures.addPictureFromButton(path);
                textures.nextAtOnce = false;
            };
            break;
        }
        case 3: { // a picture's texture (or failure) comes, in any order
            const std::size_t i = std::size_t(rng.below(queued));
            const std::string path = textures.queued[i].path;
            what = "picture read: " + shortPath(path);
            if (Picture* p = next.find(path); p && !p->loaded) {
                p->loaded = true;
                if (p->kind == Kind::Broken) {
                    expected.push_back("(" + path + ")" + kPictureErrorMessage);
                    if (p->fromButton) // "Add Image" did not add it after all
                        next.erase(path);
                }
            }
            act = [&textures, i] {
                const std::function<void()> deliver = textures.queued[i].deliver;
                textures.queued.erase(textures.queued.begin() + std::ptrdiff_t(i));
                deliver();
            };
            break;
        }
        case 4: {
            const int row = rng.below(int(pictures.rows().size()) + 1) - 1;
            what = "click picture row " + std::to_string(row);
            act = [&pictures, row] { pictures.clickRow(row); };
            break;
        }
        case 5: {
            const int row = pictures.selection();
            what = "Remove Image (selected " + std::to_string(row) + ")";
            if (row >= 0 && row < int(pictures.rows().size()))
                next.erase(pictures.rows()[std::size_t(row)].path);
            act = [&pictures] { pictures.removeSelectedPicture(); };
            break;
        }
        case 6:
            what = "Remove All pictures";
            next.pictures.clear();
            act = [&pictures] { pictures.removeAll(); };
            break;
        case 7:
            next.ownImage = !next.ownImage;
            what = std::string("own image ") + (next.ownImage ? "on" : "off");
            act = [&pictures, on = next.ownImage] { pictures.setOwnImage(on); };
            break;
        case 8:
            next.imageMode = PlayMode(rng.below(3));
            what = "picture mode " + std::to_string(next.imageMode);
            act = [&pictures, mode = next.imageMode] { pictures.setMode(mode); };
            break;
        case 9: {
            const std::string text = kIntervals[rng.below(7)];
            what = "interval \"" + text + "\"";
            if (text != next.interval) { // typing the same text changes nothing
                next.interval = text;
                next.intervalMayBeEmpty = false;
            }
            act = [&pictures, text] { pictures.setInterval(text); };
            break;
        }
        case 10:
            what = "hide Custom Background";
            act = [&pictures] { pictures.saveSection(); };
            break;
        case 11:
            what = "timer tick";
            act = [&pictures, &music] {
                pictures.timerTick();
                music.timerTick();
            };
            break;
        case 12: {
            const std::string path = trackPath();
            what = "Add Music " + shortPath(path);
            next.tracks.push_back(path);
            act = [&music, path] { music.addTrack(path); };
            break;
        }
        case 13: {
            const std::string path = unusablePath("/home/user/Musik/");
            what = "Add Music " + shortPath(path);
            expected.push_back("(" + path + ")music loading error.");
            act = [&music, path] { music.addTrack(path); };
            break;
        }
        case 14: {
            const int row = rng.below(int(music.rows().size()) + 1) - 1;
            what = "click music row " + std::to_string(row);
            act = [&music, row] { music.clickRow(row); };
            break;
        }
        case 15: {
            const int row = music.selection();
            const bool valid = row >= 0 && row < int(music.rows().size());
            what = "Remove music (selected " + std::to_string(row) + ")";
            if (valid)
                next.tracks.erase(next.tracks.begin() + row);
            else
                expected.push_back(kSelectMusicMessage);
            act = [&music] { music.removeSelected(); };
            break;
        }
        case 16:
            what = "Remove All music";
            next.tracks.clear();
            act = [&music] { music.removeAll(); };
            break;
        case 17:
            next.ownMusic = !next.ownMusic;
            what = std::string("own music ") + (next.ownMusic ? "on" : "off");
            act = [&music, on = next.ownMusic] { music.setOn(on); };
            break;
        case 18:
            next.musicMode = PlayMode(rng.below(3));
            what = "music mode " + std::to_string(next.musicMode);
            act = [&music, mode = next.musicMode] { music.setMode(mode); };
            break;
        case 19: {
            const bool play = rng.percent(50);
            what = play ? "Play" : "Stop";
            act = [&music, play] { play ? music.play() : music.stop(); };
            break;
        }
        case 20:
            what = "hide Custom Music";
            act = [&music] { music.saveSection(); };
            break;
        default:
            what = "restart";
            act = [this] { program.start(); };
            break;
        }
    }

    Rng rng;
    Model model;
    Program program;
    int pathCounter = 0;
    bool forcedRestart = false;
    std::vector<std::string> history;
    std::function<void(const std::string&)> report;
};

std::vector<std::uint64_t> seedsToRun() {
    if (const char* chosen = std::getenv("QUELMARINE_MODEL_SEED"); chosen && *chosen)
        return {std::strtoull(chosen, nullptr, 10)};
    // Fixed seeds, and two new ones each run.
    std::random_device device;
    return {1, 2, 3, 4, 5, 6, device(), device()};
}

// Each round: steps in this process, then kills of a child that goes on from there.
constexpr int kRoundsPerSeed = 16;
constexpr int kStepsPerRound = 80;
constexpr int kKillsPerRound = 3;

// The settings folder in memory for the length of the test, where there is such a file system:
// every save flushes the file to its disk, which made a run ten times longer, and a kill -9
// does not depend on it.
class SettingsInMemory {
  public:
    SettingsInMemory() {
        if (const char* old = std::getenv("XDG_CONFIG_HOME"))
            saved = old;
        char pattern[] = "/dev/shm/quelmarine-model-XXXXXX";
        if (::mkdtemp(pattern)) {
            folder = pattern;
            ::setenv("XDG_CONFIG_HOME", pattern, 1);
        }
    }
    ~SettingsInMemory() {
        if (folder.empty())
            return;
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

  private:
    std::string saved, folder;
};

TEST(UserListsModelTest, RandomUserSequencesWithRestartsAndKillsLoseNothing) {
    const SettingsInMemory inMemory;
    for (const std::uint64_t seed : seedsToRun()) {
        std::printf("seed %llu (replay: QUELMARINE_MODEL_SEED=%llu)\n",
                    static_cast<unsigned long long>(seed), static_cast<unsigned long long>(seed));
        std::fflush(stdout);
        UserWalk walk(seed);
        walk.begin();
        if (HasFatalFailure())
            return;
        std::string fault;
        for (int round = 0; round < kRoundsPerSeed && fault.empty(); ++round) {
            for (int i = 0; i < kStepsPerRound && fault.empty(); ++i)
                fault = walk.step();
            for (int kill = 0; kill < kKillsPerRound && fault.empty(); ++kill)
                fault = walk.killRound();
        }
        if (!fault.empty())
            ADD_FAILURE() << "seed " << seed << ", step " << walk.stepNumber << " ("
                          << walk.lastStep << "): " << fault << "\n  last steps:\n"
                          << walk.recentSteps() << "  replay: QUELMARINE_MODEL_SEED=" << seed;
        else
            std::printf("  %d steps kept everything\n", walk.stepNumber);
    }
}

} // namespace
} // namespace quelmarine
