#!/usr/bin/env python3
"""Builds the large reference CSVs of data/reference from the public code lists.

Usage: build_reference.py SOURCE_DIR [OUTPUT_DIR]

SOURCE_DIR holds the cleaned public lists (municipios.csv, ufs.csv,
cep_faixas_*.csv, cnae20_*.csv, natureza_juridica.csv, cbo2002_*.csv); their
origin is described in data/reference/README.md. OUTPUT_DIR defaults to
data/reference beside this script's repository. The small code tables and the
message table are edited by hand in OUTPUT_DIR and are not touched here.

Standard library only, so that it runs on any Python 3.
"""
import csv
import sys
import unicodedata
from collections import defaultdict
from pathlib import Path

# Occupations whose practice the law reserves to holders of a higher-education
# degree (InCriticaCbo). Four digits name a whole CBO family, six digits one
# occupation. Only professions with an unambiguous legal requirement are
# listed: a false entry would block a correct declaration.
DEGREE_REQUIRED = [
    "211105",  # atuário (Decreto-Lei 806/1969)
    "2112",  # estatísticos (Lei 4.739/1965)
    "213205", "213210",  # químicos (Lei 2.800/1956)
    "213405", "213410",  # geólogos (Lei 4.076/1962)
    "2021", "214005", "2141", "2142", "2143", "2144", "2145", "2146", "2147", "2148",
    "214905", "214910", "214915", "214920", "214925",  # engenheiros e arquitetos (Lei 5.194/1966)
    "222105", "222110", "222115", "222120",  # engenheiros agrônomos, agrícolas, florestais, de pesca
    "221105",  # biólogo (Lei 6.684/1979)
    "221205",  # biomédico (Lei 6.684/1979)
    "2232",  # cirurgiões-dentistas (Lei 5.081/1966)
    "2233",  # médicos veterinários e zootecnistas (Leis 5.517/1968 e 5.550/1968)
    "2234",  # farmacêuticos (Lei 3.820/1960)
    "223505", "223510", "223515", "223520", "223525", "223530", "223535", "223540", "223545",
    "223550", "223555", "223560", "223565",  # enfermeiros (Lei 7.498/1986)
    "2236", "223905",  # fisioterapeutas e terapeutas ocupacionais (Decreto-Lei 938/1969)
    "2237",  # nutricionistas (Lei 8.234/1991)
    "2238",  # fonoaudiólogos (Lei 6.965/1981)
    "2251", "2252", "2253",  # médicos (Lei 3.268/1957)
    "2341", "2342", "2343", "2344", "2345", "2346", "2347", "2348", "2349",  # ensino superior (Lei 9.394/1996, art. 66)
    "2410", "2412", "2422", "2424",  # advogados, procuradores, ministério público, defensores (Lei 8.906/1994 e LC 80/1994)
    "2512",  # economistas (Lei 1.411/1951)
    "251505", "251510", "251515", "251520", "251525", "251530", "251535", "251540", "251545",
    "251555",  # psicólogos (Lei 4.119/1962)
    "251605",  # assistente social (Lei 8.662/1993)
    "252210", "252215",  # contador e perito contábil (Decreto-Lei 9.295/1946)
    "261305", "261310",  # arquivista (Lei 6.546/1978) e museólogo (Lei 7.287/1984)
]

# Occupations that cannot be held by someone who cannot read (InCriticaAna):
# the CBO major groups whose competence level presumes schooling (2 sciences
# and arts, 3 technicians, 4 clerical work), except the subgroups where
# literacy is not part of the trade (performing artists and ministers of
# religion, dancers and circus artists, athletes and sports), plus every
# occupation of DEGREE_REQUIRED.
LITERATE_GROUPS = ("2", "3", "4")
LITERACY_EXEMPT_SUBGROUPS = ("262", "263", "376", "377")


def read(source: Path, name: str):
    with open(source / name, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f))


def write(out: Path, table: str, header, rows):
    with open(out / f"{table}.csv", "w", newline="", encoding="utf-8") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(header)
        w.writerows(rows)
    print(f"{table}: {len(rows)} rows")


# Declarations carry the municipality name in a 30-character field, written
# in upper case without accents; the name check compares that field with the
# table, so the table holds the name in the same form.
DECLARATION_NAME_WIDTH = 30


def declaration_name(name: str) -> str:
    plain = "".join(c for c in unicodedata.normalize("NFKD", name) if not unicodedata.combining(c))
    plain = plain.upper()[:DECLARATION_NAME_WIDTH].rstrip()
    if not all(" " <= c <= "~" for c in plain):
        raise SystemExit(f"{name}: not plain ASCII after removing the accents")
    return plain


def matches(code: str, prefixes) -> bool:
    return any(code.startswith(p) for p in prefixes)


def states(source: Path, out: Path):
    ufs = read(source, "ufs.csv")
    write(out, "TbUf", ["CoUf", "SgUf", "NoUf"], [[u["codigo_uf"], u["uf"], u["nome"]] for u in ufs])
    ranges = defaultdict(list)
    for r in read(source, "cep_faixas_uf.csv"):
        ranges[r["codigo_uf"]].append((r["prefixo_inicio"], r["prefixo_fim"]))
    rows = []
    for uf in sorted(ranges):
        for i, (first, last) in enumerate(sorted(ranges[uf]), start=1):
            rows.append([uf, str(i), first, last])
    write(out, "tbUfCep", ["CoUf", "IdUf", "CoCepInicial", "CoCepFinal"], rows)
    return {u["codigo_uf"]: u["nome"] for u in ufs}


def municipalities(source: Path, out: Path, state_names):
    ceps = defaultdict(list)
    for r in read(source, "cep_faixas_municipio.csv"):
        ceps[r["codigo_ibge"]].append((r["cep_inicio"][:5], r["cep_fim"][:5]))
    rows, ranged = [], []
    for uf, name in state_names.items():
        rows.append([uf, declaration_name(name), "", ""])  # state heading of the municipality list
    with_cep = 0
    for m in read(source, "municipios.csv"):
        code = m["codigo_ibge"]
        name = declaration_name(m["nome"])
        blocks = sorted(set(ceps.get(code, [])))
        if len(blocks) > 2:
            raise SystemExit(f"{code}: more than two CEP ranges")
        if blocks:
            with_cep += 1
        if not blocks:
            # No CEP data: an empty prefix lets the CEP rules fall back on the state.
            rows.append([code, name, "", "0"])
        elif len(blocks) == 1 and blocks[0][0] == blocks[0][1]:
            rows.append([code, name, blocks[0][0], "0"])
        else:
            rows.append([code, name, "", "1"])
            flat = [p for block in blocks for p in block]
            ranged.append([code] + flat + [""] * (4 - len(flat)))
    rows.sort(key=lambda r: r[0])
    write(out, "tb8MUNIC", ["CoMunicipio", "NoMunicipio", "CoCep", "InFaixa"], rows)
    write(out, "tb8FXCEP", ["CoMunicipio", "CoCep1Inicial", "CoCep1Final", "CoCep2Inicial", "CoCep2Final"], ranged)
    print(f"municipalities with CEP data: {with_cep}; single prefix: {len(rows) - len(state_names) - len(ranged)}; ranged: {len(ranged)}")


def activities(source: Path, out: Path):
    subclasses = read(source, "cnae20_subclasses.csv")
    rows = [[d["codigo"], d["descricao"]] for d in read(source, "cnae20_divisoes.csv")]
    rows += [[s["codigo"], s["descricao"]] for s in subclasses]
    rows.sort(key=lambda r: r[0])
    write(out, "tb8Cnae", ["CoCnae", "NoCnae"], rows)

    by_class = defaultdict(list)
    for r in read(source, "cnae20_cnae10.csv"):
        by_class[r["cnae20"]].append(r)
    rows = []
    for s in subclasses:
        pairs = sorted(by_class.get(s["codigo"][:5], []), key=lambda r: r["cnae10"])
        if not pairs:
            continue
        if len(pairs) == 1:
            rows.append([s["codigo"], pairs[0]["cnae10"], "1"])
            continue
        # Several earlier classes: propose the one that itself maps preferably
        # to this class, and mark the choice as not exclusive ("2").
        preferred = [p for p in pairs if p["preferencial_10_20"] == "1"] or pairs
        rows.append([s["codigo"], preferred[0]["cnae10"], "2"])
    write(out, "tbcnaeco", ["CoCnae2", "CoCnae1", "InPreferencial"], rows)


def legal_natures(source: Path, out: Path):
    rows = [[n["codigo"], n["descricao"]] for n in read(source, "natureza_juridica.csv")]
    write(out, "tb8NATJU", ["CoNaturezaJuridica", "NoNaturezaJuridica"], rows)


def occupations(source: Path, out: Path):
    rows = []
    for level in ("cbo2002_subgrupos_principais.csv", "cbo2002_subgrupos.csv", "cbo2002_familias.csv"):
        rows += [[r["codigo"], r["titulo"], "", ""] for r in read(source, level)]
    known = set()
    for r in read(source, "cbo2002_ocupacoes.csv"):
        code = r["codigo"]
        known.add(code)
        degree = matches(code, DEGREE_REQUIRED)
        literate = degree or (code.startswith(LITERATE_GROUPS) and not matches(code, LITERACY_EXEMPT_SUBGROUPS))
        rows.append([code, r["titulo"], "1" if literate else "0", "1" if degree else "0"])
    for p in DEGREE_REQUIRED:
        if not any(c.startswith(p) for c in known):
            raise SystemExit(f"degree list names {p}, which matches no occupation")
    rows.sort(key=lambda r: r[0])
    write(out, "tb8cbo", ["CoCbo", "NoCbo", "InCriticaAna", "InCriticaCbo"], rows)
    print(f"tb8cbo: InCriticaCbo {sum(r[3] == '1' for r in rows)}, InCriticaAna {sum(r[2] == '1' for r in rows)}")


def main():
    if len(sys.argv) not in (2, 3):
        raise SystemExit(__doc__)
    source = Path(sys.argv[1])
    out = Path(sys.argv[2]) if len(sys.argv) == 3 else Path(__file__).resolve().parents[2] / "data" / "reference"
    state_names = states(source, out)
    municipalities(source, out, state_names)
    activities(source, out)
    legal_natures(source, out)
    occupations(source, out)


if __name__ == "__main__":
    main()
