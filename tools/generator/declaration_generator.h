#pragma once
// Generator of sound declaration files of any size, for tests (small files,
// mutated to show one fault) and benchmarks (a million links). Deterministic
// for a given seed; values are plausible and pass the field validators: real
// municipality codes with a CEP of their range and their state, CNPJ, CEI,
// PIS and CPF with right check digits, CBO and CNAE codes of the reference
// lists. Records are streamed, so memory does not grow with the file.
#include <cstdint>
#include <ostream>
#include <string>

#include "core/declfile/record_layout.h"

namespace torvex::generator {

struct GeneratorOptions {
  std::uint64_t seed = 1;
  long establishments = 2;
  // Every n-th establishment declares no links ("Tipo de KEVA" 1); 0: none.
  long withoutLinksEvery = 0;
  long long links = 4;  // spread over the establishments that declare links
  bool previousYear = false;  // the 523-character layout of base year 2005
  bool rectification = false;
  std::string separator = "\r\n";
  bool endOfFileByte = false;  // one byte 26 after the last record
  // Every n-th link has a foreign nationality; 0: none.
  long foreignerEvery = 37;
  // Every n-th link ended in the year, dismissed without cause ("11") on 30 June; 0: none.
  // Meant for files of last year, whose import leaves such links out.
  long endedEvery = 0;
};

class DeclarationGenerator {
 public:
  static constexpr long long kMaxRecords = 999999;

  // Refuses options that cannot make one file: "Sequencial" has six digits.
  explicit DeclarationGenerator(GeneratorOptions options);

  const core::declfile::RecordLayout& layout() const { return layout_; }
  long establishmentsWithLinks() const;
  // Every eleventh establishment, from the sixth, is declared by CEI.
  static bool declaredByCei(long index) { return index % 11 == 5; }
  // A CEI establishment cannot make a declaration without employees.
  bool withoutLinks(long index) const {
    return !declaredByCei(index) && o_.withoutLinksEvery > 0 && (index + 1) % o_.withoutLinksEvery == 0;
  }

  // Writes the whole file.
  void write(std::ostream& out);
  std::string text();

 private:
  struct Establishment {
    long index = 0;
    std::string inscription, prefix, kind, municipality, municipalityName, uf, cep, ddd, cnae2, cnae1;
    bool withoutLinks = false;
  };
  class Record;

  std::uint64_t next();
  long between(long low, long high);
  std::string digits(int count);
  template <std::size_t N>
  const char* pick(const char* const (&list)[N]) { return list[next() % N]; }
  std::string cnpj(long index);
  std::string cei(long index);
  std::string pis();
  std::string cpf();
  std::string date(long yearFrom, long yearTo);
  std::string personName();
  Establishment makeEstablishment(long index);
  void writeRecord(std::ostream& out, const Record& r);
  Record recordZero(const Establishment& first);
  Record recordOne(const Establishment& e, long long sequence);
  Record recordTwo(const Establishment& e, long long sequence, long long linkIndex);
  Record recordNine(long long sequence, const std::string& inscription, const std::string& prefix, long type1,
                    long long type2, long prefixesNotZero);

  GeneratorOptions o_;
  std::uint64_t rng_;
  long nextPis_ = 1;
  core::declfile::RecordLayout layout_;
};

}  // namespace torvex::generator
