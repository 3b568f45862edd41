#pragma once

// The one layout of the numbers of a foundation record: every data1 index and
// data2 row the program reads or writes has its name here, so formulas,
// checks, windows and the report read as the engineering they are rather
// than as numbers. (The byte offsets of the whole record are in
// foundation_record.cpp.)
namespace k5::field {

constexpr int count = 51; // data1(0..50)

// data1(i)
constexpr int foundationType = 0;
constexpr int unitSystem = 1;
constexpr int fe = 2;
constexpr int Fc = 3;
constexpr int D1 = 4;
constexpr int D2 = 5;
constexpr int cover = 6;
constexpr int h1 = 7;
constexpr int h2 = 8;
constexpr int pileLayout = 9;
constexpr int pileCount = 10;
constexpr int pileVariant = 11;
constexpr int Wc = 12;
constexpr int Ws = 13;
constexpr int pfai = 14;
constexpr int Pe = 15;
constexpr int pileKind = 16;   // 0..3: precast, steel, embedded, cast in place
constexpr int minEdge = 17;    // minimum pile edge distance (derived)
constexpr int minSpacing = 18; // minimum pile spacing (derived)
constexpr int auxSpacing = 19;
constexpr int ngFlag = 20;
constexpr int Vc = 22;
constexpr int edgx = 23;
constexpr int edgy = 24;
constexpr int W1 = 25;
constexpr int W2 = 26;
constexpr int b0stored = 27;
constexpr int A0stored = 28;
constexpr int area = 29;
constexpr int pitchx = 30;
constexpr int pitchy = 31;
constexpr int nx = 32;
constexpr int ny = 33;
constexpr int priority = 34;
constexpr int Vs = 35;

// data1(0..lastInput) hold what a foundation is: input, derived geometry and
// the values of its last calculation; a save clears them before storing the
// input again.
constexpr int lastInput = 35;

// The data1 values a calculation writes; with the result rows of data2 they
// tell what the last calculation found, so a record whose design inputs
// change in a way the calculation must see again loses them.
constexpr int resultFields[] = {ngFlag, Vc, W1, W2, b0stored, A0stored, area, Vs};

} // namespace k5::field

namespace k5::row {

constexpr int count = 81; // data2(0..80, 0..4)

// data2(i, j); j is the load-case column 1..4 unless noted.
constexpr int N = 1;
constexpr int M = 2;
constexpr int H = 3;
constexpr int L = 4;  // (4,1) Lx, (4,2) Ly, copies in 3, 4
constexpr int a = 5;  // (5,1) ax, (5,2) ay, copies in 3, 4
constexpr int L1 = 6; // Lx1, Ly1, Lx2, Ly2
constexpr int centre = 7;
constexpr int P = 8; // Px1, Py1, Px2, Py2
constexpr int punchX = 9;
constexpr int punchY = 10;
constexpr int ref = 11;
constexpr int fa = 13;
constexpr int atBar = 14;
constexpr int psiBar = 15;
constexpr int areaNG = 17;
constexpr int allowBearing = 18; // fe or Pe
constexpr int fc = 19;
constexpr int fs = 20;
constexpr int ft = 21;
constexpr int sumN = 22;
constexpr int MH = 23;
constexpr int sumM = 24;
constexpr int e = 25;
constexpr int eRatio = 26;
constexpr int eccFlag = 27;
constexpr int alpha = 28;
constexpr int Xn = 29;
constexpr int Areq = 30;
constexpr int LperA = 31;
constexpr int e2 = 32;
constexpr int e2Ratio = 33;
constexpr int alpha2 = 34;
constexpr int Xn2 = 35;
constexpr int sigmaMax = 36;
constexpr int Q = 37;
constexpr int Mface = 38;
constexpr int dPrime = 39;
constexpr int lever = 40;
constexpr int atReq = 42;
constexpr int nCalc = 43;
constexpr int tau = 44;
constexpr int shearNG = 45;
constexpr int QPD = 46;
constexpr int QPA = 47;
constexpr int punchNG = 48;
constexpr int eps = 51;
constexpr int nBars = 53;
constexpr int pitchUsed = 54;
constexpr int psiReq = 55;
constexpr int sumAt = 56;
constexpr int sumPsi = 57;
constexpr int Nd = 58;
constexpr int Md = 59;
constexpr int Hd = 60;
constexpr int Rmax1 = 25; // pile caps: Rmax, its NG, Rmin, its NG of line position p at 25 + 4(p-1)
constexpr int Rp1 = 61;   // pile caps: reaction R' of line position p at 60 + p
constexpr int rebarNG = 64;

// Pile caps: for line position p the maximum pile load is at
// Rmax1 + pileLineStride·(p − 1), followed by its NG flag, the minimum load
// and the minimum's NG flag.
constexpr int RmaxNG1 = 26;
constexpr int Rmin1 = 27;
constexpr int RminNG1 = 28;
constexpr int pileLineStride = 4;

// Columns of the punchX / punchY rows, which describe one pile rather than
// one load case: its reaction (0 when no pile governs), its line position
// (1 outer, 2 inner, 3 centre) and its direction (1 X, 2 Y).
constexpr int punchReaction = 1;
constexpr int punchLine = 2;
constexpr int punchDirection = 3;

// rebarNG holds the steel-area judgement of a direction in column 1 (X) or
// 2 (Y) and the bond-perimeter judgement two columns further on.
constexpr int bondNGOffset = 2;

// Rows 0..lastInput hold the loads, geometry and results of the design; a
// save clears them (rows N, M, H keep imported loads).
constexpr int lastInput = 60;

// Columns of the geometry rows L, a, L1 and P: the X and the Y value, and
// in L1 and P the second pair (Lx2, Ly2: the outstands on the far sides;
// Px2, Py2: the pile spacings).
constexpr int xValue = 1;
constexpr int yValue = 2;
constexpr int secondX = 3;
constexpr int secondY = 4;
// data2 rows written by the calculation: punchX to Hd, and rebarNG.
constexpr int firstResult = punchX;
constexpr int lastResult = Hd;

} // namespace k5::row

namespace k5::column {

// The load-case columns j of data2(i, j).
constexpr int longX = 1;
constexpr int longY = 2;
constexpr int shortX = 3;
constexpr int shortY = 4;

} // namespace k5::column

namespace k5::react {

// Indices of the imported support reactions reactFlag/N/H/M[direction][case].
constexpr int x = 1; // the line came from the analysis in X
constexpr int y = 2;
// Load cases as the analysis labels them: "L" gives the long-term design
// loads, "E" the short-term ones; "S", "W1" and "W2" are kept for review only.
constexpr int caseL = 1;
constexpr int caseE = 2;
constexpr int caseS = 3;
constexpr int caseW1 = 4;
constexpr int caseW2 = 5;
constexpr int caseCount = 5;

} // namespace k5::react
