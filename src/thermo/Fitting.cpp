#include "Fitting.h"

#include <algorithm>
#include <cmath>

namespace korvel::thermo {

std::vector<double> leastSquares(std::vector<double> A, std::vector<double> b, int rows, int cols)
{
    auto at = [&](int i, int j) -> double & { return A[static_cast<std::size_t>(i) * cols + j]; };
    std::vector<double> scale(cols, 1.0);
    for (int j = 0; j < cols; ++j) {
        double s = 0;
        for (int i = 0; i < rows; ++i)
            s += at(i, j) * at(i, j);
        s = std::sqrt(s);
        if (s > 0) {
            scale[j] = s;
            for (int i = 0; i < rows; ++i)
                at(i, j) /= s;
        }
    }
    std::vector<double> v(rows);
    for (int k = 0; k < cols && k < rows; ++k) {
        double norm = 0;
        for (int i = k; i < rows; ++i)
            norm += at(i, k) * at(i, k);
        norm = std::sqrt(norm);
        if (norm == 0)
            continue;
        const double alpha = at(k, k) > 0 ? -norm : norm;
        double vnorm2 = 0;
        for (int i = k; i < rows; ++i) {
            v[i] = at(i, k);
            if (i == k)
                v[i] -= alpha;
            vnorm2 += v[i] * v[i];
        }
        if (vnorm2 == 0)
            continue;
        for (int j = k + 1; j < cols; ++j) {
            double dot = 0;
            for (int i = k; i < rows; ++i)
                dot += v[i] * at(i, j);
            const double f = 2.0 * dot / vnorm2;
            for (int i = k; i < rows; ++i)
                at(i, j) -= f * v[i];
        }
        double dot = 0;
        for (int i = k; i < rows; ++i)
            dot += v[i] * b[i];
        const double f = 2.0 * dot / vnorm2;
        for (int i = k; i < rows; ++i)
            b[i] -= f * v[i];
        at(k, k) = alpha;
        for (int i = k + 1; i < rows; ++i)
            at(i, k) = 0;
    }
    double maxDiag = 0;
    for (int k = 0; k < cols && k < rows; ++k)
        maxDiag = std::max(maxDiag, std::abs(at(k, k)));
    std::vector<double> p(cols, 0.0);
    for (int k = std::min(cols, rows) - 1; k >= 0; --k) {
        if (std::abs(at(k, k)) <= 1e-13 * maxDiag)
            continue;
        double s = b[k];
        for (int j = k + 1; j < cols; ++j)
            s -= at(k, j) * p[j];
        p[k] = s / at(k, k);
    }
    for (int j = 0; j < cols; ++j)
        p[j] /= scale[j];
    return p;
}

namespace {

// Residuals r(p) and, when asked, the Jacobian (row-major, m × n).
using ResidualFunction = std::function<void(const std::vector<double> &p, std::vector<double> &r, std::vector<double> *J)>;

std::vector<double> levenbergMarquardt(const ResidualFunction &f, std::vector<double> p, int m)
{
    const int n = static_cast<int>(p.size());
    std::vector<double> r(m), J(static_cast<std::size_t>(m) * n), rTrial(m);
    auto cost = [](const std::vector<double> &res) {
        double s = 0;
        for (double v : res)
            s += v * v;
        return s;
    };
    f(p, r, &J);
    double c = cost(r);
    double lambda = 1e-4;
    int stalls = 0;
    for (int iter = 0; iter < 400 && stalls < 4 && lambda < 1e12; ++iter) {
        std::vector<double> colNorm(n, 0.0);
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < m; ++i)
                colNorm[j] += J[static_cast<std::size_t>(i) * n + j] * J[static_cast<std::size_t>(i) * n + j];
            colNorm[j] = std::sqrt(colNorm[j]);
        }
        std::vector<double> A(static_cast<std::size_t>(m + n) * n, 0.0), b(m + n, 0.0);
        std::copy(J.begin(), J.end(), A.begin());
        for (int i = 0; i < m; ++i)
            b[i] = -r[i];
        const double sl = std::sqrt(lambda);
        for (int j = 0; j < n; ++j)
            A[static_cast<std::size_t>(m + j) * n + j] = sl * (colNorm[j] > 0 ? colNorm[j] : 1.0);
        const std::vector<double> delta = leastSquares(std::move(A), std::move(b), m + n, n);
        std::vector<double> trial = p;
        for (int j = 0; j < n; ++j)
            trial[j] += delta[j];
        f(trial, rTrial, nullptr);
        const double cTrial = cost(rTrial);
        if (std::isfinite(cTrial) && cTrial < c) {
            stalls = (c - cTrial) < 1e-12 * c ? stalls + 1 : 0;
            p = std::move(trial);
            c = cTrial;
            f(p, r, &J);
            lambda = std::max(lambda / 4.0, 1e-12);
        } else {
            lambda *= 5.0;
        }
    }
    return p;
}

std::vector<double> linspace(double lo, double hi, int n)
{
    if (hi <= lo || n < 2)
        return {lo};
    std::vector<double> out(n);
    for (int i = 0; i < n; ++i)
        out[i] = lo + (hi - lo) * i / (n - 1);
    return out;
}

std::vector<double> interiorX(int divisions)
{
    std::vector<double> out;
    for (int i = 1; i < divisions; ++i)
        out.push_back(static_cast<double>(i) / divisions);
    return out;
}

} // namespace

double evalViscosityForm(const PureConstants &pc, const ViscosityRows &rows, double x, double T)
{
    const double r = 1.0 - 2.0 * x;
    double Aex = 0, Eex = 0, p = 1;
    for (int k = 0; k < 6; ++k) {
        Aex += (rows.a[k] + rows.b[k] * T) * p;
        Eex += (rows.c[k] + rows.d[k] * T) * p;
        p *= r;
    }
    Aex *= x * (1.0 - x);
    Eex *= x * (1.0 - x);
    return std::exp(((1.0 - x) * pc.E1 + x * pc.E2 + Eex) / (kGasConstant * T)) * ((1.0 - x) * pc.A1 + x * pc.A2 + Aex);
}

double CoefficientRow::at(double T) const { return a + b * T + c * T * std::log(T) + d * T * T; }

double evalDirect(const Line &s1, const Line &s2, const std::vector<CoefficientRow> &L, double x, double T)
{
    const double r = 1.0 - 2.0 * x;
    double sum = 0, p = 1;
    for (const CoefficientRow &row : L) {
        sum += row.at(T) * p;
        p *= r;
    }
    return (1.0 - x) * s1.at(T) + x * s2.at(T) + x * (1.0 - x) * sum;
}

double evalSurfaceFraction(const Line &s1, const Line &s2, bool refIsComponent2, const std::array<CoefficientRow, 3> &Q,
                           double x, double T)
{
    const double u = refIsComponent2 ? x : 1.0 - x;
    const double K = Q[0].at(T) + Q[1].at(T) * u + Q[2].at(T) * u * u;
    const double y = u / (u + (1.0 - u) * K);
    const double sRef = refIsComponent2 ? s2.at(T) : s1.at(T);
    const double sOther = refIsComponent2 ? s1.at(T) : s2.at(T);
    return y * sRef + (1.0 - y) * sOther;
}

std::vector<double> checkTemperatures(double Tlo, double Thi) { return linspace(Tlo, Thi, 21); }

Deviation measureDeviation(const Model2D &fit, const Model2D &model, double Tlo, double Thi, double relFloor)
{
    Deviation dev;
    for (double T : checkTemperatures(Tlo, Thi)) {
        for (int i = 0; i <= 100; ++i) {
            const double x = i / 100.0;
            const double m = model(x, T), f = fit(x, T);
            const double d = std::abs(f - m);
            if (!(d <= dev.maxAbs)) { // also catches NaN
                dev.maxAbs = d;
                dev.atX = x;
                dev.atT = T;
            }
            if (i >= 10 && i <= 90 && !(d <= dev.maxAbsInterior))
                dev.maxAbsInterior = d;
            if (std::abs(m) >= relFloor)
                dev.maxRel = std::max(dev.maxRel, d / std::abs(m));
        }
    }
    return dev;
}

ViscosityRows fitViscosityRows(const Model2D &model, const PureConstants &pc, double Tlo, double Thi)
{
    const std::vector<double> xs = interiorX(40);
    const std::vector<double> Ts = linspace(Tlo, Thi, 11);
    const bool tVaries = Ts.size() > 1;
    const int perRow = tVaries ? 12 : 6; // (a, b) or (a) per row
    const int n = 2 * perRow;
    struct Point {
        double x, T, eta, q[6];
    };
    std::vector<Point> pts;
    for (double T : Ts)
        for (double x : xs) {
            Point pt{x, T, model(x, T), {}};
            const double r = 1.0 - 2.0 * x;
            double p = x * (1.0 - x);
            for (int k = 0; k < 6; ++k, p *= r)
                pt.q[k] = p;
            pts.push_back(pt);
        }
    const int m = static_cast<int>(pts.size());
    auto unpack = [&](const std::vector<double> &p) {
        ViscosityRows rows;
        for (int k = 0; k < 6; ++k) {
            rows.a[k] = p[k];
            rows.c[k] = p[perRow + k];
            if (tVaries) {
                rows.b[k] = p[6 + k];
                rows.d[k] = p[perRow + 6 + k];
            }
        }
        return rows;
    };
    // Start: Eex = 0 and Aex by weighted linear least squares (the residual in mPa·s).
    std::vector<double> p0(n, 0.0);
    {
        std::vector<double> A(static_cast<std::size_t>(m) * perRow), b(m);
        for (int i = 0; i < m; ++i) {
            const Point &pt = pts[i];
            const double w = std::exp(((1.0 - pt.x) * pc.E1 + pt.x * pc.E2) / (kGasConstant * pt.T));
            for (int k = 0; k < 6; ++k) {
                A[static_cast<std::size_t>(i) * perRow + k] = w * pt.q[k];
                if (tVaries)
                    A[static_cast<std::size_t>(i) * perRow + 6 + k] = w * pt.q[k] * pt.T;
            }
            b[i] = pt.eta - w * ((1.0 - pt.x) * pc.A1 + pt.x * pc.A2);
        }
        const std::vector<double> s = leastSquares(std::move(A), std::move(b), m, perRow);
        std::copy(s.begin(), s.end(), p0.begin());
    }
    auto residuals = [&](const std::vector<double> &p, std::vector<double> &r, std::vector<double> *J) {
        const ViscosityRows rows = unpack(p);
        for (int i = 0; i < m; ++i) {
            const Point &pt = pts[i];
            double Aex = 0, Eex = 0;
            for (int k = 0; k < 6; ++k) {
                Aex += (rows.a[k] + rows.b[k] * pt.T) * pt.q[k];
                Eex += (rows.c[k] + rows.d[k] * pt.T) * pt.q[k];
            }
            const double RT = kGasConstant * pt.T;
            const double U = std::exp(((1.0 - pt.x) * pc.E1 + pt.x * pc.E2 + Eex) / RT);
            const double V = (1.0 - pt.x) * pc.A1 + pt.x * pc.A2 + Aex;
            r[i] = U * V - pt.eta;
            if (J) {
                double *row = J->data() + static_cast<std::size_t>(i) * n;
                for (int k = 0; k < 6; ++k) {
                    row[k] = U * pt.q[k];
                    row[perRow + k] = U * V * pt.q[k] / RT;
                    if (tVaries) {
                        row[6 + k] = U * pt.q[k] * pt.T;
                        row[perRow + 6 + k] = U * V * pt.q[k] * pt.T / RT;
                    }
                }
            }
        }
    };
    return unpack(levenbergMarquardt(residuals, p0, m));
}

namespace {

int rowWidth(bool tlnt) { return tlnt ? 4 : 3; }

// Basis of one coefficient row L(T): 1, T, [T·ln T], T².
void rowBasis(double T, bool tlnt, double *out)
{
    out[0] = 1.0;
    out[1] = T;
    if (tlnt) {
        out[2] = T * std::log(T);
        out[3] = T * T;
    } else {
        out[2] = T * T;
    }
}

CoefficientRow makeRow(const double *p, bool tlnt)
{
    return tlnt ? CoefficientRow{p[0], p[1], p[2], p[3]} : CoefficientRow{p[0], p[1], 0.0, p[2]};
}

} // namespace

std::vector<CoefficientRow> fitDirect(const Model2D &sigma, const Line &s1, const Line &s2, int order, bool tlnt,
                                      double Tlo, double Thi)
{
    const std::vector<double> xs = interiorX(50);
    const std::vector<double> Ts = linspace(Tlo, Thi, std::max(2, static_cast<int>((Thi - Tlo) / 25.0) + 1));
    const int w = rowWidth(tlnt);
    const int n = (order + 1) * w;
    const int m = static_cast<int>(xs.size() * Ts.size());
    std::vector<double> A(static_cast<std::size_t>(m) * n), b(m);
    int i = 0;
    double basis[4];
    for (double T : Ts) {
        rowBasis(T, tlnt, basis);
        for (double x : xs) {
            const double r = 1.0 - 2.0 * x;
            double q = x * (1.0 - x);
            for (int k = 0; k <= order; ++k, q *= r)
                for (int j = 0; j < w; ++j)
                    A[static_cast<std::size_t>(i) * n + k * w + j] = q * basis[j];
            b[i] = sigma(x, T) - (1.0 - x) * s1.at(T) - x * s2.at(T);
            ++i;
        }
    }
    const std::vector<double> p = leastSquares(std::move(A), std::move(b), m, n);
    std::vector<CoefficientRow> rows;
    for (int k = 0; k <= order; ++k)
        rows.push_back(makeRow(p.data() + k * w, tlnt));
    return rows;
}

std::array<CoefficientRow, 3> fitSurfaceFraction(const Model2D &sigma, const Line &s1, const Line &s2,
                                                 bool refIsComponent2, bool tlnt, double Tlo, double Thi)
{
    const std::vector<double> xs = interiorX(50);
    const std::vector<double> Ts = linspace(Tlo, Thi, std::max(2, static_cast<int>((Thi - Tlo) / 25.0) + 1));
    const int w = rowWidth(tlnt);
    const int n = 3 * w;
    struct Point {
        double u, T, sigma, sRef, sOther, basis[4];
    };
    std::vector<Point> pts;
    for (double T : Ts)
        for (double x : xs) {
            Point pt{refIsComponent2 ? x : 1.0 - x, T, sigma(x, T), refIsComponent2 ? s2.at(T) : s1.at(T),
                     refIsComponent2 ? s1.at(T) : s2.at(T), {}};
            rowBasis(T, tlnt, pt.basis);
            pts.push_back(pt);
        }
    const int m = static_cast<int>(pts.size());
    // Start: K from the surface fraction that reproduces σ exactly, fitted linearly with the
    // weight dσ/dK so that the residual is approximately in mN/m.
    std::vector<double> p0;
    {
        std::vector<double> A(static_cast<std::size_t>(m) * n), b(m);
        for (int i = 0; i < m; ++i) {
            const Point &pt = pts[i];
            double y = (pt.sigma - pt.sOther) / (pt.sRef - pt.sOther);
            y = std::clamp(y, 1e-9, 1.0 - 1e-9);
            const double K = pt.u * (1.0 - y) / ((1.0 - pt.u) * y);
            const double denom = pt.u + (1.0 - pt.u) * K;
            const double weight = std::abs((pt.sRef - pt.sOther) * pt.u * (1.0 - pt.u) / (denom * denom));
            double upow = 1;
            for (int j = 0; j < 3; ++j, upow *= pt.u)
                for (int l = 0; l < w; ++l)
                    A[static_cast<std::size_t>(i) * n + j * w + l] = weight * upow * pt.basis[l];
            b[i] = weight * K;
        }
        p0 = leastSquares(std::move(A), std::move(b), m, n);
    }
    auto residuals = [&](const std::vector<double> &p, std::vector<double> &r, std::vector<double> *J) {
        for (int i = 0; i < m; ++i) {
            const Point &pt = pts[i];
            double K = 0, upow = 1;
            for (int j = 0; j < 3; ++j, upow *= pt.u)
                for (int l = 0; l < w; ++l)
                    K += p[j * w + l] * upow * pt.basis[l];
            const double denom = pt.u + (1.0 - pt.u) * K;
            const double y = pt.u / denom;
            r[i] = y * pt.sRef + (1.0 - y) * pt.sOther - pt.sigma;
            if (J) {
                const double dSdK = -(pt.sRef - pt.sOther) * pt.u * (1.0 - pt.u) / (denom * denom);
                double up = 1;
                for (int j = 0; j < 3; ++j, up *= pt.u)
                    for (int l = 0; l < w; ++l)
                        (*J)[static_cast<std::size_t>(i) * n + j * w + l] = dSdK * up * pt.basis[l];
            }
        }
    };
    const std::vector<double> p = levenbergMarquardt(residuals, p0, m);
    return {makeRow(p.data(), tlnt), makeRow(p.data() + w, tlnt), makeRow(p.data() + 2 * w, tlnt)};
}

} // namespace korvel::thermo
