#include "core/platform/output_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

namespace torvex::core::platform {
namespace {

namespace fs = std::filesystem;

struct Scratch {
  fs::path path;
  Scratch() {
    std::string templ = (fs::temp_directory_path() / "saida-XXXXXX").string();
    path = ::mkdtemp(templ.data());
  }
  ~Scratch() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
  void put(const fs::path& file, const std::string& text) const { std::ofstream(path / file, std::ios::binary) << text; }
  std::string read(const fs::path& file) const {
    std::ifstream in(path / file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : fs::directory_iterator(path)) out.push_back(e.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

// Runs `body` in a child process and answers its exit status (-1 when it did not exit).
template <typename F>
int inChild(F body) {
  const pid_t pid = ::fork();
  if (pid == 0) ::_exit(body());
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OutputFile, TheFinalNameHoldsTheOlderFileUntilTheCommitAndALinkThereIsReplacedItself) {
  Scratch s;
  s.put("alvo.txt", "conteudo antigo");
  s.put("relatorio.pdf", "pdf antigo");
  fs::create_symlink(s.path / "alvo.txt", s.path / "ligacao.pdf");

  OutputFile pdf(s.path / "relatorio.pdf");
  pdf.write("pdf novo");
  pdf.flush();
  EXPECT_EQ(s.read("relatorio.pdf"), "pdf antigo");
  EXPECT_EQ(pdf.temporaryPath().parent_path(), s.path);
  EXPECT_EQ(s.read(pdf.temporaryPath().filename()), "pdf novo");
  pdf.commit();
  EXPECT_EQ(s.read("relatorio.pdf"), "pdf novo");

  OutputFile overLink(s.path / "ligacao.pdf");
  overLink.write("por cima da ligacao");
  overLink.commit();
  EXPECT_FALSE(fs::is_symlink(s.path / "ligacao.pdf"));
  EXPECT_EQ(s.read("ligacao.pdf"), "por cima da ligacao");
  EXPECT_EQ(s.read("alvo.txt"), "conteudo antigo");
  EXPECT_EQ(s.names(), (std::vector<std::string>{"alvo.txt", "ligacao.pdf", "relatorio.pdf"}));
}

TEST(OutputFile, AnAbandonedOrFailedWriteLeavesTheOlderFileAndNoTemporaryFile) {
  Scratch s;
  s.put("relatorio.pdf", "pdf antigo");
  {
    OutputFile pdf(s.path / "relatorio.pdf");
    pdf.write(std::string(600 * 1024, 'x'));
  }
  EXPECT_EQ(s.read("relatorio.pdf"), "pdf antigo");
  EXPECT_EQ(s.names(), std::vector<std::string>{"relatorio.pdf"});

  // A disk that fills up: the file size limit fails the write as a full disk does.
  const int status = inChild([&] {
    ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    try {
      OutputFile pdf(s.path / "relatorio.pdf");
      pdf.write(std::string(1024 * 1024, 'x'));
      pdf.commit();
    } catch (const OutputFileError& e) {
      return e.cause() == FileFailure::DiskFull ? 0 : 2;
    }
    return 1;
  });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(s.read("relatorio.pdf"), "pdf antigo");
  EXPECT_EQ(s.names(), std::vector<std::string>{"relatorio.pdf"});
}

TEST(OutputFile, NamesThatAreNotRegularFilesAndMissingFoldersAreRefusedInPortuguese) {
  Scratch s;
  ASSERT_EQ(::mkfifo((s.path / "fila.pdf").c_str(), 0600), 0);
  fs::create_directory(s.path / "pasta.pdf");
  struct Case {
    fs::path target;
    FileFailure cause;
    std::string text;
  };
  const Case cases[] = {
      {s.path / "fila.pdf", FileFailure::NotARegularFile, (s.path / "fila.pdf").string() + " é um FIFO"},
      {s.path / "pasta.pdf", FileFailure::NotARegularFile, (s.path / "pasta.pdf").string() + " é uma pasta"},
      {s.path / "nao-existe" / "r.pdf", FileFailure::MissingFolder, "a pasta não existe: " + (s.path / "nao-existe").string()},
      {"/dev/null", FileFailure::NotARegularFile, "/dev/null é um dispositivo"},
  };
  for (const auto& c : cases) {
    try {
      OutputFile f(c.target);
      f.write("x");
      f.commit();
      ADD_FAILURE() << c.target << " was written";
    } catch (const OutputFileError& e) {
      EXPECT_EQ(e.cause(), c.cause) << c.target;
      EXPECT_NE(std::string(e.what()).find(c.text), std::string::npos) << e.what();
    }
  }
  EXPECT_EQ(s.names(), (std::vector<std::string>{"fila.pdf", "pasta.pdf"}));
  EXPECT_EQ(fileFailureText(ENOSPC, "/mnt/x"), "não há espaço livre no disco da pasta /mnt/x");
  EXPECT_EQ(fileFailureText(EROFS, "/mnt/x", "pasta de destino"),
            "a pasta de destino /mnt/x está num disco somente para leitura");
}

TEST(OutputFileSet, NoFileOfTheSetGetsItsNameBeforeEveryOneIsComplete) {
  Scratch s;
  s.put("a02.dec", "antigo 2");
  {
    OutputFileSet set;
    set.add(s.path / "a01.dec").write("novo 1");
    set.add(s.path / "a02.dec").write("novo 2");
    EXPECT_FALSE(fs::exists(s.path / "a01.dec"));
    EXPECT_EQ(s.read("a02.dec"), "antigo 2");
  }
  EXPECT_EQ(s.names(), std::vector<std::string>{"a02.dec"});

  OutputFileSet set;
  set.add(s.path / "a01.dec").write("novo 1");
  set.add(s.path / "a02.dec").write("novo 2");
  set.commitAll();
  EXPECT_EQ(s.read("a01.dec"), "novo 1");
  EXPECT_EQ(s.read("a02.dec"), "novo 2");
  EXPECT_EQ(s.names(), (std::vector<std::string>{"a01.dec", "a02.dec"}));
}

TEST(OutputFile, LeftoversOfDeadWritersAreRemovedAndNothingElse) {
  Scratch s;
  // A writer killed half-way leaves its temporary file.
  ASSERT_EQ(inChild([&] {
              auto* f = new OutputFile(s.path / "morto.dec");
              f->write("metade");
              f->flush();
              return 0;  // no destructor runs: as if killed
            }),
            0);
  OutputFile alive(s.path / "vivo.dec");
  alive.write("em andamento");
  alive.flush();
  s.put("outro.txt.parcial-1-0000abcd", "de outro programa");
  s.put("morto.dec.parcial-x", "nome que não é nosso");
  fs::create_symlink(s.path / "outro.txt.parcial-1-0000abcd", s.path / "ligacao.dec.parcial-1-0000abcd");

  const auto declarations = [](const std::string& name) { return name.ends_with(".dec"); };
  EXPECT_EQ(removeAbandonedOutputs(s.path, declarations), 1u);
  const auto left = s.names();
  EXPECT_EQ(left.size(), 4u);
  EXPECT_NE(std::find(left.begin(), left.end(), alive.temporaryPath().filename().string()), left.end());
  for (const auto& name : left) EXPECT_FALSE(name.starts_with("morto.dec.parcial-") && name != "morto.dec.parcial-x");
  alive.commit();
  EXPECT_EQ(s.read("vivo.dec"), "em andamento");
}

TEST(InputFile, OnlyRegularFilesAreOpenedAndAFifoDoesNotBlock) {
  Scratch s;
  s.put("recibo.rec", "0123456789");
  ASSERT_EQ(::mkfifo((s.path / "fila.rec").c_str(), 0600), 0);
  fs::create_symlink(s.path / "recibo.rec", s.path / "ligacao.rec");

  InputFile fifo(s.path / "fila.rec");
  EXPECT_FALSE(fifo.isOpen());
  EXPECT_EQ(fifo.failure(), FileFailure::NotARegularFile);
  EXPECT_EQ(fifo.problem(), (s.path / "fila.rec").string() + " é um FIFO, não um arquivo comum");
  InputFile folder(s.path);
  EXPECT_EQ(folder.failure(), FileFailure::NotARegularFile);
  InputFile missing(s.path / "nada.rec");
  EXPECT_EQ(missing.problem(), "arquivo não encontrado: " + (s.path / "nada.rec").string());
  std::string line;
  EXPECT_FALSE(std::getline(missing.stream(), line));

  InputFile linked(s.path / "ligacao.rec");
  ASSERT_TRUE(linked.isOpen()) << linked.problem();
  EXPECT_EQ(linked.size(), 10u);
  linked.stream().seekg(4);
  std::getline(linked.stream(), line);
  EXPECT_EQ(line, "456789");
}

}  // namespace
}  // namespace torvex::core::platform
