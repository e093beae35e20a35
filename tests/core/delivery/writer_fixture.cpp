#include "writer_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>

namespace torvex::test {
namespace fs = std::filesystem;
using core::delivery::WriteRequest;
using core::delivery::WriteResult;

std::string DiskSwapper::message(core::platform::DialogKind kind, const std::string& text,
                                 core::platform::Buttons buttons) {
  std::string answer = ScriptedInteraction::message(kind, text, buttons);
  if (swapDisks && answer == core::platform::button::kOk && text.rfind("Insira o disquete # ", 0) == 0)
    bench_.insertDisk(bench_.diskCapacity);
  if (onMessage) onMessage(text, answer);
  return answer;
}

WriterBench::WriterBench()
    : db(folder.db()),
      scratch(makeTempDirectory("torvex-media")),
      transmite(scratch / "Transmite"),
      media(transmite),
      ui(*this),
      writer(db, media, ui) {
  fs::create_directories(transmite);
  writer.setClock(clock);
}

WriterBench::~WriterBench() {
  std::error_code ec;
  fs::remove_all(scratch, ec);
}

fs::path WriterBench::insertDisk(std::int64_t capacity) {
  const fs::path disk = scratch / ("disk" + std::to_string(disks.size() + 1));
  fs::create_directories(disk);
  disks.push_back(disk);
  media.insert('A', disk, capacity);
  return disk;
}

void WriterBench::insertRow(const std::string& table, const Values& values) {
  std::string cols, params;
  for (const auto& [k, v] : values) {
    cols += (cols.empty() ? "" : ", ") + k;
    params += (params.empty() ? ":" : ", :") + k;
  }
  auto st = db.prepare("INSERT INTO " + table + " (" + cols + ") VALUES (" + params + ")");
  for (const auto& [k, v] : values) st.bind(":" + k, v);
  st.run();
}

void WriterBench::addResponsible(const Values& changes, const std::string& table) {
  Values v = {
      {"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"},
      {"NoResponsavelArquivo", "Contabil Exemplo"}, {"EdLogradouroRespArquivo", "Rua das Flores"},
      {"NuLogradouroRespArquivo", "000012"}, {"TxComplementoRespArquivo", "Sala 3"},
      {"NoBairroRespArquivo", "Centro"}, {"CoCepRespArquivo", "70040010"},
      {"CoMunicipioRespArquivo", "5300108"}, {"NoMunicipioRespArquivo", "BRASILIA"},
      {"SgUfRespArquivo", "DF"}, {"NuFoneDDD", "61"}, {"NuFoneAssinante", "33224455"},
      {"TxEMailRespArquivo", "contato@exemplo.com.br"}, {"InReciboParaRespArquivo", "1"},
      {"NuRespostaPesquisa", "1234"},
  };
  for (const auto& [k, val] : changes) v[k] = val;
  insertRow(table, v);
}

Values WriterBench::addEstablishment(const std::string& inscricao, const std::string& prefixo, bool withLinks,
                                     const Values& changes, const std::string& table) {
  Values v = {
      {"AnBase", "2006"}, {"CoCgcCeiEstabelecimento", inscricao}, {"NuPrefixoEstabelecimento", prefixo},
      {"CoCgcVinculado", "00123456789012"}, {"NoRazaoEstabelecimento", "EMPRESA EXEMPLO " + prefixo},
      {"EdEstabelecimento", "AV CENTRAL"}, {"NuEnderecoEstabelecimento", "000100"},
      {"CoCepEstabelecimento", "70040010"}, {"CoMunicipio", "5300108"}, {"NoMunicEstabelecimento", "BRASILIA"},
      {"SgUf", "DF"}, {"NuDDD", "61"}, {"NuTelefone", "33334444"}, {"CoCnae2", "4711302"},
      {"CoNaturezaJuridica", "2062"}, {"NuProprietEstabelecimento", "01"}, {"MeDataBase", "05"},
      {"InInscrEstabelecimento", "1"}, {"InKevaNegEstabelecimento", withLinks ? "0" : "1"},
      {"InPorte", "1"}, {"InOptanteSimples", "2"}, {"InParticipaPAT", "2"}, {"InEncerramentoAtividade", "2"},
      {"InAtividadeAnoBase", "1"}, {"NuVinculosEstabelecimento", "000000"},
  };
  for (const auto& [k, val] : changes) v[k] = val;
  insertRow(table, v);
  return v;
}

void WriterBench::addLinks(const Values& est, int count, const Values& changes, int first, const std::string& table) {
  core::store::Transaction tx(db);
  std::unique_ptr<core::store::Statement> insert;
  for (int i = first; i < first + count; ++i) {
    Values v = {
        {"AnBase", est.at("AnBase")}, {"CoCgcCeiEstabelecimento", est.at("CoCgcCeiEstabelecimento")},
        {"NuPrefixoEstabelecimento", est.at("NuPrefixoEstabelecimento")},
        {"CoPisPasepEmpregado", std::to_string(10000000000LL + i)}, {"DaAdmissaoEmpregado", "01022006"},
        {"NoEmpregado", "EMPREGADO " + std::to_string(i)}, {"DaNascimentoEmpregado", "15031980"},
        {"CoNacionalidade", "10"}, {"CoInstrucao", "07"}, {"NuCartTrabEmpregado", "00012345"},
        {"SeCartTrabEmpregado", "00123"}, {"CoTipoAdmissao", "2"}, {"VaSalContratualEmpregado", "000150000"},
        {"CoTipoSalarioContratual", "1"}, {"HoSemanaisEmpregado", "44"}, {"CoCbo", "411005"},
        {"CoVinculo", "10"}, {"VaJaneiroEmpregado", "000150000"}, {"CoTipoRaca", "2"},
        {"InDeficienteFisico", "2"}, {"InSexo", "1"}, {"CoMunicipioTrabalho", "5300108"},
        {"InSindicalizadoVinculo", "2"},
    };
    for (const auto& [k, val] : changes) v[k] = val;
    if (!insert) {
      std::string cols, params;
      for (const auto& [k, val] : v) {
        cols += (cols.empty() ? "" : ", ") + k;
        params += (params.empty() ? ":" : ", :") + k;
      }
      insert = std::make_unique<core::store::Statement>(
          db.prepare("INSERT INTO " + table + " (" + cols + ") VALUES (" + params + ")"));
    }
    insert->reset();
    for (const auto& [k, val] : v) insert->bind(":" + k, val);
    insert->run();
  }
  insert.reset();
  tx.commit();
}

WriteResult WriterBench::write(char drive, bool fromWorkTables, bool rectification) {
  WriteRequest r;
  r.drive = drive;
  r.generationDate = "15022007";
  r.generationTime = "093000";
  r.fromWorkTables = fromWorkTables;
  r.rectification = rectification;
  return write(r);
}

WriteResult WriterBench::write(const WriteRequest& request) {
  last = writer.write(request);
  return last.result;
}

std::vector<std::string> readRecords(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(bytes.size() % 529, 0u) << file;
  std::vector<std::string> out;
  for (std::size_t at = 0; at + 529 <= bytes.size(); at += 529) {
    EXPECT_EQ(bytes.substr(at + 527, 2), "\r\n") << file << " record " << out.size() + 1;
    out.push_back(bytes.substr(at, 527));
  }
  return out;
}

std::string positions(const std::string& record, int from, int to) {
  return record.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1));
}

std::vector<std::string> folderEntries(const fs::path& folder) {
  std::vector<std::string> out;
  for (const auto& e : fs::directory_iterator(folder)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

long long rowsOf(core::store::Database& db, const std::string& table) {
  return db.tableExists(table) ? db.rowCount(table) : -1;
}

}  // namespace torvex::test
